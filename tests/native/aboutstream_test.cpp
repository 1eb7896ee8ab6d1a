// The about stream: the pieces the rich-edit control gets for its requests.
#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/aboutstream.h"

static int g_resource;   // stands for the loaded resource

// Streams a 3,197-byte document with these request sizes (the last one
// repeats) until a call delivers nothing; returns the sizes delivered.
static std::vector<int32_t> StreamDocument(AboutStream *stream, std::vector<int32_t> requests)
{
    std::string document(3197, '\0'), received;
    for (size_t i = 0; i < document.size(); i++)
        document[i] = (char)('a' + i % 23);   // a piece out of place shows
    std::vector<int32_t> pieces;
    uint8_t buffer[8192];
    for (size_t call = 0; call < 8 && (pieces.empty() || pieces.back() != 0); call++) {
        if (AboutStreamWantsDocument(stream))
            AttachAboutDocument(stream, &g_resource, document.data(), 3197);
        int32_t count = requests[std::min(call, requests.size() - 1)], delivered = -1;
        memset(buffer, 0xEE, sizeof buffer);
        EXPECT_EQ(NextAboutPiece(stream, buffer, count, &delivered), ABOUT_PIECE_DELIVERED);
        received.append((const char *)buffer, delivered);
        if (delivered > 0) {   // the rest of the request is cleared
            EXPECT_EQ(std::string((const char *)buffer + delivered, count - delivered),
                      std::string(count - delivered, '\0'));
        }
        if (AboutDocumentToRelease(stream))
            ForgetAboutDocument(stream);
        // The piece with the last byte completes the document and releases it.
        EXPECT_EQ(stream->complete, received.size() == 3197) << call;
        EXPECT_EQ(stream->resource == NULL, stream->complete) << call;
        pieces.push_back(delivered);
    }
    EXPECT_EQ(received, document);
    return pieces;
}

TEST(AboutStream, PiecesFollowTheRequests)
{
    struct {
        std::vector<int32_t> requests, pieces;
    } cases[] = {
        {{1000}, {1000, 1000, 1000, 197, 0}},
        {{3197}, {3197, 0}},
        {{8000}, {3197, 0}},
        {{3000, 197}, {3000, 197, 0}},   // exactly the rest
    };
    for (auto &c : cases) {
        AboutStream stream;
        ResetAboutStream(&stream);
        EXPECT_EQ(StreamDocument(&stream, c.requests), c.pieces) << c.requests[0];
        // A second stream starts again from the first byte.
        ResetAboutStream(&stream);
        EXPECT_EQ(StreamDocument(&stream, c.requests), c.pieces) << c.requests[0];
    }
}
