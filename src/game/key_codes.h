#pragma once

// The platform's virtual-key codes that the main window's key handler acts
// on. The number-pad digits 0 to 9 are 96 to 105 (with Num Lock on).
namespace KeyCode {
constexpr int Numpad0 = 96;
constexpr int Numpad2 = 98;
constexpr int Numpad4 = 100;
constexpr int Numpad6 = 102;
constexpr int Numpad8 = 104;
constexpr int F1 = 112;
} // namespace KeyCode
