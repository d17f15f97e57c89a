#pragma once
// The little arithmetic the report needs: medians of repeated runs and figures against limits.
#include <vector>

// The middle value (the mean of the two middle ones for an even count); 0 for no values.
double Median(std::vector<double> values);

// figure / limit; 0 when the limit is not a positive number, so a missing limit never passes.
double Ratio(double figure, double limit);

// A ratio meets its target when it is positive and at most the target.
bool MeetsTarget(double ratio, double target);
