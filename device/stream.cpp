// Buffered file streams with the program's own text-mode translation.
#include "device/stream.h"

#include <string.h>

#ifdef _WIN32
#include <windows.h>
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

bool OpenStream(Stream *stream, const char *path, const char *mode)
{
    // The C runtime always sees binary mode; text mode is done here.
    const char *raw = mode[0] == 'r' ? "rb" : "wb";
    stream->file = fopen(path, raw);
    stream->text = mode[1] == 't';
    stream->ended = false;
    stream->failed = false;
    if (stream->file && mode[1] == 'd')
        setvbuf(stream->file, NULL, _IONBF, 0);
    return stream->file != NULL;
}

bool CloseStream(Stream *stream)
{
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
    if (offset < 0 || !SeekTo(stream->file, offset, SEEK_SET))
        return 0;
    return ReadBytes(stream, buffer, count);
}

long StreamLength(Stream *stream)
{
    if (fseek(stream->file, 0, SEEK_END) != 0)
        return 0;
    long length = ftell(stream->file);
    fseek(stream->file, 0, SEEK_SET);
    return length < 0 ? 0 : length;
}

int64_t StreamSize(Stream *stream)
{
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
