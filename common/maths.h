#pragma once

// Small numeric helpers every simulation computes the same way.
namespace common {

// -1, 0 or 1.
double sgn(double value);
// arcsin as arctan(t / sqrt(1 - t^2)): the form the read-outs and limits were
// worked out with; |t| = 1 gives +-pi/2, |t| > 1 gives NaN for the caller to refuse.
double arcsin(double t);
// Whole-number part rounded towards minus infinity, as every read-out shows it.
long long roundDown(double value);

} // namespace common
