#include "Pattern.h"

bool patternInks(Pattern pattern, int x, int y)
{
    // Positive remainders also for negative coordinates.
    int x4 = ((x % 4) + 4) % 4;
    int y4 = ((y % 4) + 4) % 4;
    switch (pattern)
    {
    case Pattern::Paper:
        return false;
    case Pattern::Ink:
        return true;
    case Pattern::Sparse:
        return (x4 == 0 && y4 == 0) || (x4 == 2 && y4 == 2);
    case Pattern::Light:
        return x4 % 2 == 0 && y4 % 2 == 0;
    case Pattern::Checker:
        return (x4 + y4) % 2 == 0;
    case Pattern::Dark:
        return !(x4 % 2 == 1 && y4 % 2 == 1);
    case Pattern::Rows:
        return y4 % 2 == 0;
    case Pattern::Columns:
        return x4 % 2 == 0;
    case Pattern::Bricks:
        return y4 % 2 == 0 || (y4 == 1 && x4 == 0) || (y4 == 3 && x4 == 2);
    }
    return false;
}
