#pragma once

// Small numeric helpers every simulation computes the same way.
namespace common {

// 4 arctan 1, kept in single precision as the read-outs expect.
float singlePi();
// (d / 180) pi with the single-precision pi.
float DegToRad(float degrees);
// Nearest multiple of 20, after rounding to a whole number with halves to even.
float SnapTo20(float value);
// Direction from one point to another as arctan(dy / dx); straight up or down
// when both share x, where the quotient would divide by zero.
float aimAngle(float dx, float dy);

} // namespace common
