// Three linear equations in three unknowns, by Cramer's rule with the
// determinants by the rule of Sarrus.
#pragma once

namespace orbelin {

// Determinant of the rows (p0 p1 p2), (p3 p4 p5), (p6 p7 p8) by the rule of
// Sarrus, each product and sum from left to right.
double Det3(double p0, double p1, double p2, double p3, double p4, double p5, double p6, double p7,
            double p8);

// Solves a1 x + b1 y + c1 z = d1 (and rows 2, 3). False, with x, y, z
// untouched, when |D| <= 1e-6 (an absolute threshold) or D is not a number.
bool SolveLin3(const double coefficients[12], double* x, double* y, double* z);

}  // namespace orbelin
