// Buffered file streams with the program's own text mode, so that the bytes
// on disk are the same whichever C runtime the program is built with.
//
// Text mode: every "\n" written becomes CR LF; on reading, CR LF becomes
// "\n" (a CR not followed by LF stays) and a byte 0x1A ends the file.
// Binary mode copies bytes unchanged. Direct mode ("rd") reads without the
// C runtime and its buffer: each ReadBytesAt asks the system for exactly the
// bytes wanted, at their place, for readers that take a few blocks from big
// files. A direct stream knows only ReadBytesAt, StreamSize and CloseStream.
#ifndef TOLMARO_STREAM_H
#define TOLMARO_STREAM_H

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

struct Stream {
    FILE *file;
    bool text;
    bool ended;     // text mode: 0x1A or the end of the file was read
    bool failed;    // a write or flush failed
    bool direct;    // direct mode: file is NULL, handle the system's
    intptr_t handle;
};

// Every byte that ReadBytes and ReadBytesAt have returned since the program
// started, so that a reader's cost on a slow drive can be measured.
extern uint64_t g_streamBytesRead;

// mode: "rt", "wt", "rb", "rd" or "wb". Returns false when the file does not open.
bool OpenStream(Stream *stream, const char *path, const char *mode);

// Closes the stream. Returns false when any write, the final flush or the
// close itself failed, so that a half-written file is never taken as saved.
bool CloseStream(Stream *stream);

// Reads one character, EOF at the end.
int ReadChar(Stream *stream);

// Reads a line as fgets does: at most size - 1 characters, up to and
// including a line feed. Returns false at the end of the file.
bool ReadLine(Stream *stream, char *buffer, size_t size);

// Reads up to count bytes (binary mode), returns the number read.
size_t ReadBytes(Stream *stream, void *buffer, size_t count);

// Length of the file in bytes as it is on disk, 2 GB and beyond; -1 when it
// is unknown. A stream that is not direct is left at its start.
int64_t StreamSize(Stream *stream);

// Reads up to count bytes from offset on (binary or direct mode); returns
// the number read, 0 when the offset cannot be reached.
size_t ReadBytesAt(Stream *stream, int64_t offset, void *buffer, size_t count);

void WriteText(Stream *stream, const char *text);
void WriteBytes(Stream *stream, const void *bytes, size_t count);

// Replaces target by the complete file at temp (same folder). Returns false,
// leaving target as it was, when the replacement fails.
bool ReplaceWithFile(const char *temp, const char *target);

// Ends the save of a whole file that was written to temp (out, opened for
// writing) in place of target: closes out and, when every byte was
// written, replaces target by temp. Otherwise, or when the replacement
// fails, removes temp, so that a failed save leaves target as it was and
// no temporary file. Returns whether target now holds the new file.
bool FinishSave(Stream *out, const char *temp, const char *target);

#endif
