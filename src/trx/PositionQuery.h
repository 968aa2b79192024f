#pragma once

// The controller's two position texts, asked for once at start: the plain position
// ("POS") and the NMEA sentence ("POS NMEA"). The answers stay off the screen.

#include <QByteArray>

class Clock;
class PortLink;

enum class PositionFormat { Plain = 0, Nmea = 1 };

// Sends the query, waits 200 ms and reads what the controller answered. The result is
// the last block read, without the 20 characters that start at its first EOT (4),
// which is where the prompt begins.
QByteArray ReadPosition(PositionFormat format, PortLink& link, Clock& clock);

// The part of an answer block that is the position.
QByteArray positionFromAnswer(const QByteArray& block);
