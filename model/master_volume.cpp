#include "model/master_volume.h"

#include <cmath>

double g_masterVolume = 0.0;

double DecibelsToGain(double dB) { return std::pow(10.0, 0.05 * dB); }
