// The telnet protocol as each side speaks it: negotiation answered as an
// NVT client and offered as IOS does, data unescaped and CR NUL read as CR
// across any split, and a stream the codec cannot trust given up. (Both
// sides talking, 0xFF sent doubled: the simulator's telnet tests.)
#include <gtest/gtest.h>

#include <string>

#include "TelnetCodec.h"

namespace {

using namespace std::string_literals;

const std::string kIac = "\xff";
const std::string kWill = "\xff\xfb", kWont = "\xff\xfc", kDo = "\xff\xfd", kDont = "\xff\xfe";
const std::string kEcho = "\x01", kSga = "\x03", kTtype = "\x18", kNaws = "\x1f", kBinary = "\x00"s;

std::string Pending(TelnetCodec& codec) {
    std::string pending(codec.Pending(), codec.PendingSize());
    codec.Consume(pending.size());
    return pending;
}

// The data of a stream received in the given pieces.
std::string Received(TelnetCodec& codec, std::initializer_list<std::string> pieces) {
    std::string data;
    for (const std::string& piece : pieces)
        codec.Receive(piece.data(), piece.size(), data);
    return data;
}

TEST(TelnetCodec, ClientAnswersEveryOfferAndRefusesWhatItDoesNotUse) {
    TelnetCodec client(TelnetCodec::Role::kClient);
    client.Open();
    EXPECT_EQ(client.PendingSize(), 0u) << "the client asks for nothing";
    const std::string offers = kWill + kEcho + kWill + kSga + kDo + kTtype + kDo + kNaws + kWill +
                               kBinary + kDo + kEcho + kDo + kSga;
    EXPECT_EQ(Received(client, {offers}), "");
    EXPECT_EQ(Pending(client), kDo + kEcho + kDo + kSga + kWont + kTtype + kWont + kNaws + kDont +
                                   kBinary + kWont + kEcho + kWill + kSga);
    // An offer agreed to is not answered again (no negotiation loop); a
    // request refused is refused again.
    EXPECT_EQ(Received(client, {kWill + kEcho + kDo + kTtype}), "");
    EXPECT_EQ(Pending(client), kWont + kTtype);
}

TEST(TelnetCodec, ServerOpensAsIosAndAsksForTheTerminalType) {
    TelnetCodec server(TelnetCodec::Role::kServer);
    server.Open();
    EXPECT_EQ(Pending(server), kWill + kEcho + kWill + kSga + kDo + kTtype + kDo + kNaws);
    EXPECT_EQ(Received(server, {kDo + kEcho + kDo + kSga + kWill + kTtype + kWont + kNaws}), "");
    EXPECT_EQ(Pending(server), kIac + "\xfa" + kTtype + "\x01" + kIac + "\xf0");
}

TEST(TelnetCodec, DataKeepsItsBytesOnly) {
    const struct {
        std::initializer_list<std::string> pieces;
        std::string data;
    } cases[] = {
        {{"a\r\nb\nc"}, "a\r\nb\nc"},
        {{"\xff\xff"
          "a\xff\xff"},
         "\xff"
         "a\xff"},
        {{"\xff", "\xff"}, "\xff"},
        {{"x\r\0y"s}, "x\ry"},
        {{"x\r", "\0y"s}, "x\ry"},
        {{"x\r\xff\xf1\0y"s}, "x\ry"},
        {{"\0\0\r\0\0"s}, "\0\0\r\0"s},
        {{"a\xff\xfa\x18\x01\xff\xf0"
          "b"},
         "ab"},
        {{"a\xff\xfa\x1f", "\x00\x50\xff\xff\x00\x18\xff\xf0"
                           "b"s},
         "ab"},
        {{"a\xff\xf1"
          "b\xff\xf9"},
         "ab"},
    };
    for (const auto& c : cases) {
        TelnetCodec client(TelnetCodec::Role::kClient);
        EXPECT_EQ(Received(client, c.pieces), c.data);
        EXPECT_FALSE(client.Failed());
    }
}

TEST(TelnetCodec, CompressionNobodyAskedForEndsTheStream) {
    TelnetCodec client(TelnetCodec::Role::kClient);
    const std::string start = "ok" + kIac + "\xfa\x56" + kIac + "\xf0" + "\x78\x9c garbage";
    EXPECT_EQ(Received(client, {start, "more"}), "ok");
    EXPECT_TRUE(client.Failed());
    EXPECT_EQ(client.Failure(), "the peer compressed the telnet stream unasked");
}

} // namespace
