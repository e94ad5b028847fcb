#include <zlib.h>

#include <cstdint>
#include <cstring>

#include "tmx.h"

namespace veloria::tiled {

namespace {
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
// A level layer is at most 576 cells of 4 bytes; anything far bigger is not one.
constexpr size_t kMaxLayerBytes = 1 << 20;
}  // namespace

bool ParseEncoding(const std::string& word, Encoding& out) {
    if (word == "csv")
        out = Encoding::Csv;
    else if (word == "base64")
        out = Encoding::Base64;
    else if (word == "zlib")
        out = Encoding::Zlib;
    else if (word == "gzip")
        out = Encoding::Gzip;
    else
        return false;
    return true;
}

std::string Base64Encode(const std::string& bytes) {
    std::string out;
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const uint32_t v = uint32_t(uint8_t(bytes[i])) << 16 |
                           uint32_t(uint8_t(bytes[i + 1])) << 8 | uint8_t(bytes[i + 2]);
        for (int s = 18; s >= 0; s -= 6) out += kAlphabet[(v >> s) & 63];
    }
    if (i < bytes.size()) {
        uint32_t v = uint32_t(uint8_t(bytes[i])) << 16;
        if (i + 1 < bytes.size()) v |= uint32_t(uint8_t(bytes[i + 1])) << 8;
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? kAlphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

bool Base64Decode(const std::string& text, std::string& bytes, std::string& error) {
    bytes.clear();
    uint32_t acc = 0;
    int bits = 0;
    bool padding = false;
    for (char c : text) {
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t') continue;
        if (c == '=') {
            padding = true;
            continue;
        }
        const char* p = c ? std::strchr(kAlphabet, c) : nullptr;
        if (!p || padding) {
            error = "the base64 data holds a character that is not base64";
            return false;
        }
        acc = (acc << 6) | uint32_t(p - kAlphabet);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes += char((acc >> bits) & 0xff);
        }
        if (bytes.size() > kMaxLayerBytes) {
            error = "the layer data is far too long for a level";
            return false;
        }
    }
    return true;
}

bool Inflate(const std::string& packed, std::string& bytes, std::string& error) {
    z_stream z{};
    if (inflateInit2(&z, 15 + 32) != Z_OK) {  // +32: zlib or gzip, told by the header
        error = "cannot start decompressing";
        return false;
    }
    bytes.clear();
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    z.avail_in = uInt(packed.size());
    char buf[16384];
    int rc = Z_OK;
    while (rc == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buf);
        z.avail_out = sizeof(buf);
        rc = inflate(&z, Z_NO_FLUSH);
        bytes.append(buf, sizeof(buf) - z.avail_out);
        if (bytes.size() > kMaxLayerBytes) {
            rc = Z_MEM_ERROR;
            break;
        }
        if (rc == Z_BUF_ERROR && z.avail_in == 0) break;  // input ended before the stream did
    }
    inflateEnd(&z);
    if (rc != Z_STREAM_END) {
        error = "the compressed layer data is damaged or cut short";
        return false;
    }
    return true;
}

std::string Deflate(const std::string& bytes, bool gzip) {
    z_stream z{};
    deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, gzip ? 15 + 16 : 15, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, uLong(bytes.size())) + 32, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    z.avail_in = uInt(bytes.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(out.size() - z.avail_out);
    deflateEnd(&z);
    return out;
}

}  // namespace veloria::tiled
