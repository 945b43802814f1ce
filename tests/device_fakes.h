#pragma once
// Test doubles for the device sequences: a sleeper that records instead of waiting, and a transport that
// forwards to another one but refuses reports of one ID.

#include <chrono>
#include <string>
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

}  // namespace voltrane
