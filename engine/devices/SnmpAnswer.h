// What a router answered to one request, copied out of the library's PDU.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SnmpAnswer {
    struct Binding {
        std::vector<std::uint32_t> name; // the object identifier
        int type = 0;                    // the ASN.1 tag of the value
        std::string bytes;               // the value of an OCTET STRING
    };

    long errorStatus = 0; // 0: no error
    long errorIndex = 0;  // the binding in error, counted from 1
    std::vector<Binding> bindings;
};
