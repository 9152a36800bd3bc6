// The generator's power function and linear-system solver.
#include "illustrations.h"

double linearA[kLinearMax + 1][kLinearMax + 1];
double linearB[kLinearMax + 1];
double linearX[kLinearMax + 1];

double power(int n, double x)
{
    double result = 1.0;
    for (int i = 0; i < n; ++i) result *= x;
    return result;
}

double solveLinearSystem(int n)
{
    // The table holds at most kLinearMax unknowns.
    if (n > kLinearMax) n = kLinearMax;
    if (n < 1) return 0.0;

    for (int i = 1; i <= n; ++i) {
        for (int k = i + 1; k <= n; ++k) {
            if (linearA[i][i] == 0) break;
            const double f = -linearA[k][i] / linearA[i][i];
            linearB[k] += linearB[i] * f;
            for (int j = i; j <= n; ++j) linearA[k][j] += linearA[i][j] * f;
        }
    }
    if (linearA[n][n] != 0) {
        linearX[n] = linearB[n] / linearA[n][n];
        for (int i = n - 1; i >= 1; --i) {
            double s = 0;
            for (int j = i + 1; j <= n; ++j) s += linearA[i][j] * linearX[j];
            if (linearA[i][i] == 0) break;
            linearX[i] = (linearB[i] - s) / linearA[i][i];
        }
    }
    return 0.0;
}
