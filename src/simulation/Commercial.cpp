#include "simulation/Commercial.h"

Commercial::Commercial()
{
}
