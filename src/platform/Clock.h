#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <functional>

namespace platform {

// Today's date and the time of day, from one place so that tests can set them.
QDateTime now();
QDate today();
QTime timeOfDay();

// Tests set a fixed moment; an empty function returns to the system clock.
void setClock(std::function<QDateTime()> source);

// Milliseconds on a clock that only goes forward, whatever is done to the time of day: for how
// long something has lasted. Tests steer it; an empty function returns to the system's.
qint64 steadyMs();
void setSteadyClock(std::function<qint64()> source);

} // namespace platform
