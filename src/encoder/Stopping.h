#pragma once

namespace velmora::encoder {

// A run is asked to stop by a signal. Everything that can take long looks here: the reading
// loop, every repeat of a held picture, every step of silence, and FFmpeg's own reads and
// writes (through their interrupt callback).
void requestStop(int signal) noexcept; // safe inside a signal handler
int stopSignal() noexcept;             // 0 while nobody asked
bool stopping() noexcept;
// FFmpeg's interrupt callback (AVIOInterruptCB): reading and writing give up once stopping().
int interruptedByStop(void *) noexcept;

// The output file while it is being written, so that a process ended in a hurry can still
// take it away. Only a regular file is ever removed, never a device.
void setPartialOutput(const char *path) noexcept;
void clearPartialOutput() noexcept;
void removePartialOutput() noexcept;

} // namespace velmora::encoder
