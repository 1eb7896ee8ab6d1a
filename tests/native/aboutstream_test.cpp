// The about stream: the pieces the rich-edit control gets for its requests.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/aboutstream.h"

// A document of 3,197 bytes in a pattern that shows a piece out of place.
static std::string Document()
{
    std::string bytes;
    for (int i = 0; i < 3197; i++)
        bytes += (char)('a' + i % 23);
    return bytes;
}

static int g_handle;   // stands for the loaded resource

// Streams the document with the given request sizes (the last one repeats)
// until a call delivers 0 bytes; returns the piece sizes and the bytes.
static std::vector<int32_t> StreamDocument(AboutStream *stream, const std::string &document,
                                           std::vector<int32_t> requests, std::string *received)
{
    std::vector<int32_t> pieces;
    std::vector<uint8_t> buffer(8192, 0xEE);
    for (size_t call = 0; call < 10; call++) {
        if (AboutStreamWantsDocument(stream))
            AttachAboutDocument(stream, &g_handle, document.data(), (uint32_t)document.size());
        int32_t count = requests[call < requests.size() ? call : requests.size() - 1];
        int32_t delivered = -1;
        EXPECT_EQ(NextAboutPiece(stream, buffer.data(), count, &delivered), ABOUT_PIECE_DELIVERED);
        pieces.push_back(delivered);
        received->append((const char *)buffer.data(), delivered);
        // A piece clears the rest of the requested buffer.
        if (delivered > 0)
            EXPECT_EQ(std::count(buffer.begin() + delivered, buffer.begin() + count, 0), count - delivered)
                << "call " << call;
        if (AboutDocumentToRelease(stream))
            ForgetAboutDocument(stream);
        // The piece with the last byte completes the document and releases it.
        bool whole = received->size() == document.size();
        EXPECT_EQ(stream->complete, whole) << "call " << call;
        EXPECT_EQ(stream->resource == nullptr, whole) << "call " << call;
        if (delivered == 0)
            break;
    }
    return pieces;
}

TEST(AboutStream, PiecesFollowTheRequests)
{
    struct {
        std::vector<int32_t> requests;
        std::vector<int32_t> pieces;
    } cases[] = {
        {{1000}, {1000, 1000, 1000, 197, 0}},
        {{3197}, {3197, 0}},
        {{8000}, {3197, 0}},
        {{3000, 197}, {3000, 197, 0}},   // exactly the rest
        {{3000, 198}, {3000, 197, 0}},
    };
    std::string document = Document();
    for (auto &c : cases) {
        AboutStream stream;
        ResetAboutStream(&stream);
        std::string received;
        EXPECT_EQ(StreamDocument(&stream, document, c.requests, &received), c.pieces) << c.requests[0];
        EXPECT_EQ(received, document);
    }
}

TEST(AboutStream, SecondStreamStartsAtTheFirstByte)
{
    std::string document = Document();
    AboutStream stream;
    ResetAboutStream(&stream);
    std::string first, second;
    StreamDocument(&stream, document, {2000}, &first);
    ResetAboutStream(&stream);
    EXPECT_EQ(StreamDocument(&stream, document, {2000}, &second), (std::vector<int32_t>{2000, 1197, 0}));
    EXPECT_EQ(second, document);
}

TEST(AboutStream, MissingDocumentStopsTheControl)
{
    std::string document = Document();
    struct {
        void *resource;
        uint32_t size;
    } missing[] = {{NULL, 3197}, {&g_handle, 0}};
    for (auto &m : missing) {
        AboutStream stream;
        ResetAboutStream(&stream);
        if (AboutStreamWantsDocument(&stream))
            AttachAboutDocument(&stream, m.resource, document.data(), m.size);
        uint8_t buffer[16];
        int32_t delivered = -1;
        EXPECT_EQ(NextAboutPiece(&stream, buffer, sizeof buffer, &delivered), ABOUT_DOCUMENT_MISSING);
        EXPECT_EQ(delivered, 0);
        EXPECT_FALSE(stream.complete);
    }
}
