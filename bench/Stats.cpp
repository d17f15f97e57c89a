#include "Stats.h"

#include <algorithm>

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    if (values.size() % 2 != 0)
        return values[middle];
    return (values[middle - 1] + values[middle]) / 2.0;
}

double Ratio(double figure, double limit)
{
    return limit > 0.0 ? figure / limit : 0.0;
}

bool MeetsTarget(double ratio, double target)
{
    return ratio > 0.0 && ratio <= target;
}
