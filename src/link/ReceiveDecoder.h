#pragma once

// V24Schryf: turns the block the poll loop read (Station::RxChunk) into text in the
// receive window. For now it shows the plain text of the stream: the class codes,
// status replies and other control bytes are left out, a line feed right after a
// carriage return is dropped, and the window is kept near its length limit.

class ReceiveView;
struct Settings;
struct Station;

class ReceiveDecoder {
public:
    ReceiveDecoder(Station& station, Settings& settings, ReceiveView& receiveWindow);

    void V24Schryf();

private:
    Station& station_;
    Settings& settings_;
    ReceiveView& receiveWindow_;
};
