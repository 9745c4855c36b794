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

} // namespace platform
