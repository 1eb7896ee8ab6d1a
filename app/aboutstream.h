// The about stream: hands the about document to the rich-edit control in
// the pieces the control asks for, without gap or overlap. No Win32 here;
// app/about.cpp finds the document and releases it.
#ifndef TOLMARO_ABOUTSTREAM_H
#define TOLMARO_ABOUTSTREAM_H

#include <stdint.h>

struct AboutStream {
    void *resource;          // the loaded document, released after the last piece
    uint32_t size;           // bytes of the document
    const uint8_t *data;     // its bytes, NULL until found
    uint32_t position;       // bytes handed out so far
    bool complete;           // the whole document went out in this stream
};

enum {
    ABOUT_PIECE_DELIVERED = 0,   // a piece, or 0 bytes after the end
    ABOUT_DOCUMENT_MISSING = 1,  // stops the control's reading
};

// Back to the start: nothing found, nothing handed out.
void ResetAboutStream(AboutStream *stream);

// Whether the stream still has to find its document: the first call of a
// stream, before any byte went out.
bool AboutStreamWantsDocument(const AboutStream *stream);

// Takes the found document: its handle, its locked bytes and its size. A
// handle or a size of 0 leaves the stream without a document.
void AttachAboutDocument(AboutStream *stream, void *resource, const void *data, uint32_t size);

// Fills the buffer (count bytes, cleared first) with the next piece and sets
// delivered to its length: count bytes while more than count are left, else
// the rest, which completes the stream. After that every call delivers 0.
// A stream without a document delivers nothing and returns
// ABOUT_DOCUMENT_MISSING.
int NextAboutPiece(AboutStream *stream, uint8_t *buffer, int32_t count, int32_t *delivered);

// Whether the document is complete and still held, so that its owner
// releases it now (and calls ForgetAboutDocument).
bool AboutDocumentToRelease(const AboutStream *stream);

// Drops the handle and the bytes once released; position and completeness stay.
void ForgetAboutDocument(AboutStream *stream);

#endif
