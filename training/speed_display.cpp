#include "training/speed_display.h"

namespace training {

int perMinute(long long count, long long seconds) {
    const long long n = count * 60;
    long long q = n / seconds;
    const long long twice = 2 * (n % seconds);
    if (twice > seconds || (twice == seconds && q % 2 != 0))
        ++q;
    return static_cast<int>(q);
}

Vehicle vehicleFor(int speed) {
    if (speed >= 100)
        return Vehicle::Plane;
    if (speed >= 30)
        return Vehicle::Car;
    return Vehicle::Bike;
}

} // namespace training
