#pragma once

// The speed display of the training: characters per minute and the vehicle
// picture beside it.
namespace training {

// count × 60 ÷ seconds to the nearest whole number, halves to the even
// neighbour. `seconds` must be above 0.
int perMinute(long long count, long long seconds);

enum class Vehicle { Bike, Car, Plane };
// 0-29 bicycle, 30-99 car, 100 and above aeroplane.
Vehicle vehicleFor(int speed);

} // namespace training
