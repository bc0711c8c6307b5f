// The telnet client's reading of arbitrary router bytes, without sockets.
//
// The first byte picks the way the rest is used:
//  - even: the rest is a router's stream as it comes off the wire, cut into
//    pieces, decoded and read as one command's answer. Whatever it holds,
//    the client answers only with option negotiation, no data byte comes
//    from a telnet command, and an answer read ends before a line end.
//  - odd: the rest is a command's output. The served router's dialogue
//    answers the command, paging it at a screen length the bytes pick, its
//    telnet side escapes it and telnet commands are slipped in between;
//    the client, reading it piece by piece and answering the pager, must
//    get the output back byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "IosCliOutputReader.h"
#include "IosRouterDialogue.h"
#include "ServedRouter.h"
#include "TelnetCodec.h"

namespace quillon_fuzz {

namespace telnet {

// What the client queued for the router: whole option answers and nothing
// else.
inline bool OnlyNegotiation(TelnetCodec& client) {
    const std::string sent(client.Pending(), client.PendingSize());
    client.Consume(sent.size());
    if (sent.size() % 3 != 0)
        return false;
    for (std::size_t at = 0; at < sent.size(); at += 3) {
        const unsigned char command = static_cast<unsigned char>(sent[at + 1]);
        if (static_cast<unsigned char>(sent[at]) != 0xff || command < 0xfb)
            return false;
    }
    return true;
}

inline bool RawStream(const uint8_t* data, std::size_t size) {
    if (size == 0)
        return true;
    const std::size_t piece = 1 + data[0] % 61;
    const std::string raw(reinterpret_cast<const char*>(data + 1), size - 1);
    TelnetCodec client(TelnetCodec::Role::kClient);
    IosCliOutputReader reader("R1", 1u << 16);
    std::string decoded;
    for (std::size_t at = 0; at < raw.size(); at += piece) {
        std::string bytes;
        client.Receive(raw.data() + at, std::min(piece, raw.size() - at), bytes);
        decoded += bytes;
        reader.Feed(bytes);
        if (!OnlyNegotiation(client))
            return false;
    }
    // A data byte takes one byte on the wire, two for 0xFF; commands none.
    std::size_t iacs = 0;
    for (char c : raw)
        iacs += static_cast<unsigned char>(c) == 0xff;
    if (decoded.size() > raw.size() - iacs / 2)
        return false;
    if (iacs == 0 && !client.Failed()) {
        std::string plain;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (!(raw[i] == '\0' && i > 0 && raw[i - 1] == '\r'))
                plain += raw[i];
        }
        if (decoded != plain)
            return false;
    }
    if (reader.Current() == IosCliOutputReader::State::kDone) {
        const std::string& output = reader.Output();
        if (output.size() > decoded.size())
            return false;
        if (!output.empty() && output.back() != '\n' && output.back() != '\r')
            return false;
    }
    return true;
}

// Telnet commands a router may send between data bytes.
inline std::string Interjection(uint8_t pick) {
    switch (pick % 6) {
    case 0:
        return "\xff\xf1"; // NOP
    case 1:
        return "\xff\xfb\x01"; // WILL ECHO
    case 2:
        return "\xff\xfd\x18"; // DO TTYPE
    case 3:
        return std::string("\xff\xfa\x1f\x00\x50\xff\xff\x00\x18\xff\xf0", 11); // SB NAWS
    case 4:
        return "\xff\xf9"; // GA
    default:
        return "";
    }
}

inline bool RoundTrip(const uint8_t* data, std::size_t size) {
    if (size < 3)
        return true;
    const int length = data[0] % 4 == 0 ? 0 : 2 + data[0] % 30;
    const std::size_t piece = 1 + data[1] % 37;
    const uint8_t seed = data[2];
    // Nothing in the output may read as a prompt or the pager's marker.
    std::string output(reinterpret_cast<const char*>(data + 3), size - 3);
    for (char& c : output) {
        if (c == '#' || c == '>')
            c = '.';
        else if (c == 'M')
            c = 'm';
    }
    ServedRouter router;
    router.hostName = "R1";
    router.user.clear();
    router.password.clear();
    router.answersCommands = true;
    router.commands["show x"] = output;
    IosRouterDialogue dialogue(router);
    TelnetCodec server(TelnetCodec::Role::kServer);
    TelnetCodec client(TelnetCodec::Role::kClient);
    std::string ignored = dialogue.Greeting();
    const std::string setting = "terminal length " + std::to_string(length) + "\r";
    for (char c : setting) {
        if (dialogue.Type(c, ignored) == IosRouterDialogue::Step::kCommand)
            dialogue.Execute(ignored);
    }

    // The router's words, escaped, with commands slipped in every few
    // bytes.
    auto send = [&](const std::string& text) {
        std::string wire;
        std::size_t at = 0;
        uint8_t turn = seed;
        while (at < text.size()) {
            const std::size_t run = 1 + (turn = static_cast<uint8_t>(turn * 31 + 7)) % 13;
            server.Send(text.substr(at, run));
            wire.append(server.Pending(), server.PendingSize());
            server.Consume(server.PendingSize());
            at += run;
            // Never after the last byte: the router then waits.
            if (at < text.size())
                wire += Interjection(turn);
        }
        return wire;
    };
    std::string said;
    for (char c : std::string("show x\r")) {
        if (dialogue.Type(c, said) == IosRouterDialogue::Step::kCommand)
            dialogue.Execute(said);
    }
    IosCliOutputReader reader("R1");
    std::string wire = send(said);
    for (int screens = 0; screens < 100000; ++screens) {
        IosCliOutputReader::State state = IosCliOutputReader::State::kReading;
        for (std::size_t at = 0; at < wire.size(); at += piece) {
            // The router waits at the marker and at the prompt: only the
            // last piece may end a screen or the output.
            if (state != IosCliOutputReader::State::kReading)
                return false;
            std::string bytes;
            client.Receive(wire.data() + at, std::min(piece, wire.size() - at), bytes);
            state = reader.Feed(bytes);
            if (!OnlyNegotiation(client))
                return false;
        }
        if (state == IosCliOutputReader::State::kDone) {
            std::string expected = output;
            if (!output.empty() && output.back() != '\n')
                expected += "\r\n";
            return reader.Output() == expected && reader.Mode() == '>';
        }
        if (state != IosCliOutputReader::State::kMore)
            return false;
        std::string next;
        dialogue.Type(' ', next);
        wire = send(next);
    }
    return false;
}

} // namespace telnet

inline bool TelnetReader(const uint8_t* data, size_t size) {
    if (size == 0)
        return true;
    return data[0] % 2 == 0 ? telnet::RawStream(data + 1, size - 1)
                            : telnet::RoundTrip(data + 1, size - 1);
}

} // namespace quillon_fuzz
