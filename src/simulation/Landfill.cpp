#include "simulation/Landfill.h"

Landfill::Landfill()
{
}
