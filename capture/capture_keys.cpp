#include "capture/capture_keys.h"

#include <algorithm>

#include "capture/virtual_keys.h"

namespace voltrane {

namespace {

constexpr int VK_TAB = 0x09;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_LSHIFT = 0xA0;
constexpr int VK_RSHIFT = 0xA1;

int vkOf(int keyIndex) { return KeyRow(keyIndex).vk; }
bool isModifier(int keyIndex) { return KeyRow(keyIndex).modifier != 0; }

// The arrow a key is, as a command; Capture for any other key.
KeyCommand arrowOf(int keyIndex) {
    switch (vkOf(keyIndex)) {
        case VK_UP:
            return KeyCommand::Up;
        case VK_DOWN:
            return KeyCommand::Down;
        case VK_LEFT:
            return KeyCommand::Left;
        case VK_RIGHT:
            return KeyCommand::Right;
        default:
            return KeyCommand::Capture;
    }
}

}  // namespace

std::vector<KeyAction> CaptureKeys::OnKey(int keyIndex, KeyTransition transition) {
    if (keyIndex <= 0 || keyIndex >= kKeyTableRows) return {};
    if (m_stale[keyIndex]) {
        if (transition == KeyTransition::Release) setHeld(keyIndex, false);
        return {};
    }
    return m_bArmed ? armed(keyIndex, transition) : disarmed(keyIndex, transition);
}

void CaptureKeys::Arm() {
    m_bArmed = true;
    m_bCaptured = false;
    m_stale = m_held;
}

void CaptureKeys::Disarm() {
    m_bArmed = false;
    m_stale = m_held;
}

void CaptureKeys::KeysLost() {
    m_held.reset();
    m_stale.reset();
    m_order.clear();
}

// Esc held alone repeats: capture stops. A combination's last key up ends it in the single-key dialog.
std::vector<KeyAction> CaptureKeys::armed(int keyIndex, KeyTransition transition) {
    if (transition == KeyTransition::Release) {
        if (!m_held[keyIndex]) return {};
        setHeld(keyIndex, false);
        std::vector<KeyAction> actions{{KeyCommand::CaptureUp, keyIndex}};
        if (m_end == CaptureEnd::AfterCombination && m_bCaptured && (m_held & ~m_stale).none()) {
            Disarm();
            actions.push_back({KeyCommand::Done});
        }
        return actions;
    }
    const bool escAlone =
        vkOf(keyIndex) == VK_ESCAPE && m_held[keyIndex] && (m_held & ~m_stale).count() == 1;
    if (transition == KeyTransition::Repeat && escAlone) {
        Disarm();
        return {{KeyCommand::Stop}};
    }
    setHeld(keyIndex, true);
    m_bCaptured = true;
    return {{KeyCommand::Capture, keyIndex}};
}

std::vector<KeyAction> CaptureKeys::disarmed(int keyIndex, KeyTransition transition) {
    const int vk = vkOf(keyIndex);
    const KeyCommand arrow = arrowOf(keyIndex);
    if (transition == KeyTransition::Release) {
        const bool wasHeld = m_held[keyIndex];
        setHeld(keyIndex, false);
        if (vk == VK_SPACE && wasHeld) return {{KeyCommand::Activate}};
        return {};
    }
    if (transition == KeyTransition::Repeat) {
        if (vk == VK_TAB || arrow != KeyCommand::Capture) return disarmedPress(keyIndex);
        return {};
    }
    setHeld(keyIndex, true);
    return disarmedPress(keyIndex);
}

// A key went down, or Tab or an arrow repeats, while the dialog is not armed.
std::vector<KeyAction> CaptureKeys::disarmedPress(int keyIndex) {
    const int vk = vkOf(keyIndex);
    const KeyCommand arrow = arrowOf(keyIndex);
    if (arrow != KeyCommand::Capture) return {{arrow}};
    if (vk == VK_TAB) {
        const bool shift = std::any_of(m_order.begin(), m_order.end(), [](int held) {
            return vkOf(held) == VK_LSHIFT || vkOf(held) == VK_RSHIFT;
        });
        return {{shift ? KeyCommand::Previous : KeyCommand::Next}};
    }
    if (vk == VK_RETURN) return {{KeyCommand::Activate}};
    if (vk == VK_ESCAPE) return {{KeyCommand::Cancel}};
    if (vk == VK_SPACE || isModifier(keyIndex)) return {};
    return armWith(keyIndex);
}

// The modifiers held join the combination before the key; other keys held are left out of it.
std::vector<KeyAction> CaptureKeys::armWith(int keyIndex) {
    std::vector<KeyAction> actions{{KeyCommand::Arm}};
    m_bArmed = true;
    m_bCaptured = true;
    for (int held : m_order) {
        if (held == keyIndex || m_stale[held]) continue;
        if (isModifier(held)) {
            actions.push_back({KeyCommand::Capture, held});
        } else {
            m_stale.set(static_cast<std::size_t>(held));
        }
    }
    actions.push_back({KeyCommand::Capture, keyIndex});
    return actions;
}

void CaptureKeys::setHeld(int keyIndex, bool down) {
    const auto bit = static_cast<std::size_t>(keyIndex);
    if (!down) {
        m_stale.reset(bit);
        std::erase(m_order, keyIndex);
    } else if (!m_held[bit]) {
        m_order.push_back(keyIndex);
    }
    m_held.set(bit, down);
}

}  // namespace voltrane
