#pragma once

// The floating-point status of the UI thread, as the handlers test it after an addition.
namespace rt {

// Clears every floating-point exception flag. Run after each control access, so that a later
// test sees only what the handler's own conversions and arithmetic left behind.
void clearFloatingPointStatus();

// Raises a run-time error when an invalid operation, a division by zero or an overflow has been
// flagged since the last clear (Overflow for an invalid operation or an overflow, Division by
// zero for a division by zero), clearing the flags first. Inexact results, underflows and
// denormal operands are not tested.
void checkFloatingPointStatus();

} // namespace rt
