#pragma once
// Test doubles for the device sequences: a sleeper that records instead of waiting, and a transport that
// forwards to another one but refuses reports of one ID.

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "device/hid_transport.h"
#include "device/sleeper.h"

namespace voltrane {

class RecordingSleeper final : public Sleeper {
public:
    void Sleep(std::chrono::milliseconds duration) override { waits.push_back(duration.count()); }
    std::vector<long long> waits;
};

// Forwards everything to `inner`, but refuses the next `refusals` sends, and fails the next
// `fetchFailures` fetches, of reports with ID `reportId`.
class RefusingTransport final : public HidTransport {
public:
    RefusingTransport(HidTransport& inner, uint8_t reportId, int refusals, int fetchFailures = 0)
        : m_inner(inner), m_reportId(reportId), m_refusals(refusals), m_fetchFailures(fetchFailures) {}
    std::vector<HidNode> Enumerate() override { return m_inner.Enumerate(); }
    OpenResult OpenPath(const std::string& path) override { return m_inner.OpenPath(path); }
    bool SendFeature(std::span<const uint8_t> report) override {
        if (!report.empty() && report[0] == m_reportId && m_refusals > 0) {
            --m_refusals;
            return false;
        }
        return m_inner.SendFeature(report);
    }
    bool GetFeature(std::span<uint8_t> report) override {
        if (!report.empty() && report[0] == m_reportId && m_fetchFailures > 0) {
            --m_fetchFailures;
            return false;
        }
        return m_inner.GetFeature(report);
    }
    std::string LastTransferFailure() const override { return m_inner.LastTransferFailure(); }
    void Close() override { m_inner.Close(); }
    bool IsOpen() const override { return m_inner.IsOpen(); }

private:
    HidTransport& m_inner;
    uint8_t m_reportId;
    int m_refusals;
    int m_fetchFailures;
};

// Forwards everything to `inner`, but refuses to open `path` as the system does for a user without
// access to the node.
class DenyingTransport final : public HidTransport {
public:
    DenyingTransport(HidTransport& inner, std::string path) : m_inner(inner), m_path(std::move(path)) {}
    std::vector<HidNode> Enumerate() override { return m_inner.Enumerate(); }
    OpenResult OpenPath(const std::string& path) override {
        if (path == m_path) return {OpenResult::Status::AccessDenied, "Permission denied"};
        return m_inner.OpenPath(path);
    }
    bool SendFeature(std::span<const uint8_t> report) override { return m_inner.SendFeature(report); }
    bool GetFeature(std::span<uint8_t> report) override { return m_inner.GetFeature(report); }
    void Close() override { m_inner.Close(); }
    bool IsOpen() const override { return m_inner.IsOpen(); }

private:
    HidTransport& m_inner;
    std::string m_path;
};

// Several mice on one system, each behind its own transport with its serial number: their nodes are
// listed mouse after mouse, each path put under "/rack/SERIAL/" ("/rack/B2/virtual:hidraw1").
class MouseRack final : public HidTransport {
public:
    // Adds `mouse` (which must outlive the rack) with serial number `serial`.
    void Add(std::string serial, HidTransport& mouse) { m_mice.emplace_back(std::move(serial), &mouse); }

    std::vector<HidNode> Enumerate() override {
        std::vector<HidNode> nodes;
        for (auto& [serial, mouse] : m_mice) {
            for (HidNode node : mouse->Enumerate()) {
                node.path = prefix(serial) + node.path;
                node.serial = serial;
                nodes.push_back(std::move(node));
            }
        }
        return nodes;
    }
    OpenResult OpenPath(const std::string& path) override {
        Close();
        for (auto& [serial, mouse] : m_mice) {
            if (!path.starts_with(prefix(serial))) continue;
            OpenResult result = mouse->OpenPath(path.substr(prefix(serial).size()));
            if (result) m_open = mouse;
            return result;
        }
        return {OpenResult::Status::Failed, "No such device"};
    }
    bool SendFeature(std::span<const uint8_t> report) override {
        return m_open != nullptr && m_open->SendFeature(report);
    }
    bool GetFeature(std::span<uint8_t> report) override {
        return m_open != nullptr && m_open->GetFeature(report);
    }
    void Close() override {
        if (m_open != nullptr) m_open->Close();
        m_open = nullptr;
    }
    bool IsOpen() const override { return m_open != nullptr && m_open->IsOpen(); }

private:
    static std::string prefix(const std::string& serial) { return "/rack/" + serial + "/"; }

    std::vector<std::pair<std::string, HidTransport*>> m_mice;
    HidTransport* m_open = nullptr;
};

}  // namespace voltrane
