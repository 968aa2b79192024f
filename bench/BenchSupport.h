#pragma once

// What the receive benchmarks share beyond the test fakes: controller-like traffic, a
// reference reading of what the capture should hold, and the process's memory.

#include <QByteArray>
#include <QByteArrayView>

// Controller output of about `size` bytes: words in the four text classes switching
// every few words, CR LF line ends, umlaut codes, now and then a corrected typo and a
// status reply (30 and a status byte).
QByteArray mixedTraffic(qsizetype size, quint32 seed);

// What the decoder hands to the capture for `block` read on its own: every text byte
// with the umlaut codes as their code-page-437 letters, without class codes, status
// replies, backspaces, other control bytes, and line feeds right after a carriage
// return of the same block. A status code ending the block leaves the next block's
// first byte to be read there.
QByteArray capturedText(QByteArrayView block);

// The process's peak resident memory in KiB (VmHWM), and a reset of that peak.
qint64 peakRssKib();
void resetPeakRss();
