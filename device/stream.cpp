// Buffered file streams with the program's own text-mode translation.
#include "device/stream.h"

#include <string.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

enum { END_OF_TEXT = 0x1A };

uint64_t g_streamBytesRead;

// 64-bit offsets on both C runtimes: long is 32 bits wide on Windows.
static bool SeekTo(FILE *file, int64_t offset, int origin)
{
#ifdef _WIN32
    return _fseeki64(file, offset, origin) == 0;
#else
    return fseeko(file, (off_t)offset, origin) == 0;
#endif
}

static int64_t TellPosition(FILE *file)
{
#ifdef _WIN32
    return _ftelli64(file);
#else
    return (int64_t)ftello(file);
#endif
}

// Direct mode: the system's own calls, one for each read, at its offset.
#ifdef _WIN32
static bool OpenDirect(Stream *stream, const char *path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    stream->handle = (intptr_t)file;
    return file != INVALID_HANDLE_VALUE;
}

static int64_t DirectSize(Stream *stream)
{
    LARGE_INTEGER size;
    return GetFileSizeEx((HANDLE)stream->handle, &size) ? (int64_t)size.QuadPart : -1;
}

static size_t ReadDirect(Stream *stream, int64_t offset, void *buffer, size_t count)
{
    OVERLAPPED at = {};
    at.Offset = (DWORD)offset;
    at.OffsetHigh = (DWORD)(offset >> 32);
    DWORD read = 0;
    if (!ReadFile((HANDLE)stream->handle, buffer, (DWORD)count, &read, &at))
        return 0;
    return read;
}

static bool CloseDirect(Stream *stream)
{
    return CloseHandle((HANDLE)stream->handle) != 0;
}
#else
static bool OpenDirect(Stream *stream, const char *path)
{
    stream->handle = open(path, O_RDONLY);
    return stream->handle >= 0;
}

static int64_t DirectSize(Stream *stream)
{
    struct stat status;
    return fstat((int)stream->handle, &status) == 0 ? (int64_t)status.st_size : -1;
}

static size_t ReadDirect(Stream *stream, int64_t offset, void *buffer, size_t count)
{
    ssize_t read = pread((int)stream->handle, buffer, count, (off_t)offset);
    return read < 0 ? 0 : (size_t)read;
}

static bool CloseDirect(Stream *stream)
{
    return close((int)stream->handle) == 0;
}
#endif

bool OpenStream(Stream *stream, const char *path, const char *mode)
{
    stream->text = mode[1] == 't';
    stream->ended = false;
    stream->failed = false;
    stream->direct = mode[1] == 'd';
    if (stream->direct) {
        stream->file = NULL;
        return OpenDirect(stream, path);
    }
    // The C runtime always sees binary mode; text mode is done here.
    const char *raw = mode[0] == 'r' ? "rb" : "wb";
    stream->file = fopen(path, raw);
    return stream->file != NULL;
}

bool CloseStream(Stream *stream)
{
    if (stream->direct) {
        stream->direct = false;
        return CloseDirect(stream);
    }
    if (!stream->file)
        return false;
    bool ok = !stream->failed && !ferror(stream->file);
    if (fflush(stream->file) != 0)
        ok = false;
    if (fclose(stream->file) != 0)
        ok = false;
    stream->file = NULL;
    return ok;
}

int ReadChar(Stream *stream)
{
    if (stream->ended)
        return EOF;
    int c = getc(stream->file);
    if (!stream->text)
        return c;
    if (c == EOF || c == END_OF_TEXT) {
        stream->ended = true;
        return EOF;
    }
    if (c == '\r') {
        int next = getc(stream->file);
        if (next == '\n')
            return '\n';
        if (next != EOF)
            ungetc(next, stream->file);
    }
    return c;
}

bool ReadLine(Stream *stream, char *buffer, size_t size)
{
    size_t n = 0;
    while (n + 1 < size) {
        int c = ReadChar(stream);
        if (c == EOF)
            break;
        buffer[n++] = (char)c;
        if (c == '\n')
            break;
    }
    if (size > 0)
        buffer[n] = '\0';
    return n > 0;
}

size_t ReadBytes(Stream *stream, void *buffer, size_t count)
{
    size_t read = fread(buffer, 1, count, stream->file);
    g_streamBytesRead += read;
    return read;
}

size_t ReadBytesAt(Stream *stream, int64_t offset, void *buffer, size_t count)
{
    if (offset < 0)
        return 0;
    if (!stream->direct)
        return SeekTo(stream->file, offset, SEEK_SET) ? ReadBytes(stream, buffer, count) : 0;
    size_t read = ReadDirect(stream, offset, buffer, count);
    g_streamBytesRead += read;
    return read;
}

int64_t StreamSize(Stream *stream)
{
    if (stream->direct)
        return DirectSize(stream);
    if (!SeekTo(stream->file, 0, SEEK_END))
        return -1;
    int64_t size = TellPosition(stream->file);
    SeekTo(stream->file, 0, SEEK_SET);
    return size;
}

void WriteBytes(Stream *stream, const void *bytes, size_t count)
{
    if (count && fwrite(bytes, 1, count, stream->file) != count)
        stream->failed = true;
}

void WriteText(Stream *stream, const char *text)
{
    if (!stream->text) {
        WriteBytes(stream, text, strlen(text));
        return;
    }
    // Write the runs between line feeds whole, each line feed as CR LF.
    for (;;) {
        const char *newline = strchr(text, '\n');
        if (!newline) {
            WriteBytes(stream, text, strlen(text));
            return;
        }
        WriteBytes(stream, text, (size_t)(newline - text));
        WriteBytes(stream, "\r\n", 2);
        text = newline + 1;
    }
}

bool ReplaceWithFile(const char *temp, const char *target)
{
#ifdef _WIN32
    return MoveFileExA(temp, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return rename(temp, target) == 0;
#endif
}

bool FinishSave(Stream *out, const char *temp, const char *target)
{
    if (CloseStream(out) && ReplaceWithFile(temp, target))
        return true;
    remove(temp);
    return false;
}
