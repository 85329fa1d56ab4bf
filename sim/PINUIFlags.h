#pragma once

#include <QtGlobal>

// The PIN button state of the SIM card page, as a set of bits that the start-up dialogue and the
// main window set and clear; the main window keeps the current value and applies it.
using PINUIFlags = quint32;

namespace PINUI {

constexpr PINUIFlags PinWanted = 0x01;
constexpr PINUIFlags PukWanted = 0x02;
constexpr PINUIFlags SimReady = 0x04;
// 0x08 is not used.
constexpr PINUIFlags VerifyOn = 0x10;
// The dialogue or the link is not ready: every PIN and profile button is off.
constexpr PINUIFlags Busy = 0x20;

} // namespace PINUI
