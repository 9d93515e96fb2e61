// Map texts and their checksums: the built-in maps keep their exact bytes.
#include <array>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "app/sha256.hpp"
#include "world/maps.hpp"

namespace {

TEST(Sha256, KnownVectors) {
    struct Vector {
        std::string_view bytes, digest;
    };
    for (const Vector& v : std::array<Vector, 3>{{
             {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
             {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
             {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
         }})
        EXPECT_EQ(sha256_hex(v.bytes), v.digest) << '"' << v.bytes << '"';
}

// The texts the game has always loaded: a change to any byte of a map shows here.
TEST(BuiltinMaps, TextsKeepTheirChecksums) {
    constexpr std::array<std::string_view, builtin_map_count> checksums = {
        "ae7cdaff48093f434c9a70d492457b2feea20b0c92f09d2569f3efd821de0c12",
        "12e40d4e213518c1bdcd17af7db9b3dc21c794605958e67f5986765b0924ba97",
        "25748c87cfcb38d9a82b1372915701e7ba25b892a8e6e54433ca0192573c15a7",
        "a00648295ffe3d7f708c0fcd9bb5ba3232b2e14b7e85d18792e8c837b2c4898a",
        "6bdd6251cd518d4fcfaf68ba6e2a0f4e8888a109be4654d407a79a6abdce5098",
    };
    for (int n = 1; n <= builtin_map_count; ++n) {
        const char* text = builtin_map_text(n);
        ASSERT_NE(text, nullptr) << "map " << n;
        EXPECT_EQ(sha256_hex(text), checksums[static_cast<size_t>(n - 1)]) << "map " << n;
    }
}

}  // namespace
