// The about stream's pieces (see aboutstream.h).
#include "app/aboutstream.h"

#include <string.h>

void ResetAboutStream(AboutStream *stream)
{
    stream->resource = NULL;
    stream->size = 0;
    stream->data = NULL;
    stream->position = 0;
    stream->complete = false;
}

bool AboutStreamWantsDocument(const AboutStream *stream)
{
    return !stream->complete && stream->position == 0 && stream->data == NULL;
}

void AttachAboutDocument(AboutStream *stream, void *resource, const void *data, uint32_t size)
{
    stream->resource = resource;
    stream->size = size;
    // A handle without bytes, or bytes without a handle, is no document.
    stream->data = (resource != NULL && size != 0) ? (const uint8_t *)data : NULL;
}

int NextAboutPiece(AboutStream *stream, uint8_t *buffer, int32_t count, int32_t *delivered)
{
    *delivered = 0;
    if (stream->complete)
        return ABOUT_PIECE_DELIVERED;
    if (stream->data == NULL)
        return ABOUT_DOCUMENT_MISSING;
    // The control never asks for less than nothing; treat it as nothing.
    uint32_t wanted = count > 0 ? (uint32_t)count : 0;
    memset(buffer, 0, wanted);
    uint32_t left = stream->size - stream->position;
    uint32_t piece = left > wanted ? wanted : left;
    memcpy(buffer, stream->data + stream->position, piece);
    stream->position += piece;
    *delivered = (int32_t)piece;
    if (piece == left)
        stream->complete = true;
    return ABOUT_PIECE_DELIVERED;
}

bool AboutDocumentToRelease(const AboutStream *stream)
{
    return stream->complete && stream->resource != NULL;
}

void ForgetAboutDocument(AboutStream *stream)
{
    stream->resource = NULL;
    stream->data = NULL;
}
