#include "device/hid_device.h"

#include <cstddef>
#include <span>
#include <utility>

#include "device/mouse_choice.h"

namespace voltrane {

const HidCollectionInfo* FindMouseCollection(const HidNode& node, int featureReportLength) {
    if (node.vendorId != kMouseVendorId || node.productId != kMouseProductId) return nullptr;
    if (featureReportLength <= 0) return nullptr;  // a collection without feature reports is never it
    for (const HidCollectionInfo& collection : node.collections) {
        if (collection.usagePage == kMouseUsagePage &&
            collection.featureReportLength == featureReportLength) {
            return &collection;
        }
    }
    return nullptr;
}

CHidDevice::CHidDevice(HidTransport& transport, std::string choice)
    : m_transport(transport), m_choice(std::move(choice)) {}

CHidDevice::~CHidDevice() { Close(); }

int CHidDevice::Open(int featureReportLength) {
    Close();
    m_lastRefusal.reset();
    for (const HidNode& node : ChosenNodes(m_transport.Enumerate(), m_choice)) {
        const HidCollectionInfo* collection = FindMouseCollection(node, featureReportLength);
        if (collection == nullptr) continue;
        OpenResult result = m_transport.OpenPath(node.path);
        if (result) {
            m_hDevice = *collection;
            return 1;
        }
        NoteRefusal(node.path, std::move(result));
    }
    return 0;
}

void CHidDevice::NoteRefusal(const std::string& path, OpenResult result) {
    const bool denied = result.status == OpenResult::Status::AccessDenied;
    if (m_lastRefusal && (!denied || AccessWasDenied())) return;
    m_lastRefusal = OpenRefusal{path, std::move(result)};
}

int CHidDevice::SetFeature(const uint8_t* buffer, int length) {
    if (!AcceptsTransfer(buffer, length)) return 0;
    return m_transport.SendFeature(std::span(buffer, static_cast<std::size_t>(length))) ? 1 : 0;
}

int CHidDevice::GetFeature(uint8_t* buffer, int length) {
    if (!AcceptsTransfer(buffer, length)) return 0;
    return m_transport.GetFeature(std::span(buffer, static_cast<std::size_t>(length))) ? 1 : 0;
}

void CHidDevice::Close() {
    m_transport.Close();
    m_hDevice.reset();
}

bool CHidDevice::IsOpen() const { return m_hDevice.has_value() && m_transport.IsOpen(); }

bool CHidDevice::AcceptsTransfer(const uint8_t* buffer, int length) const {
    return IsOpen() && buffer != nullptr && length == m_hDevice->featureReportLength;
}

}  // namespace voltrane
