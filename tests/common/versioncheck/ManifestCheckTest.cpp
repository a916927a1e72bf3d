// The manifest's check, run in both builds: signatures verified by libcrypto natively and by the
// platform's cryptography on Windows, against signatures that the test world's key made.
#include "versioncheck/ManifestCheck.h"

#include "versioncheck/Manifest.h"
#include "versioncheck/Md5.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace qivyun {
namespace {

namespace fs = std::filesystem;

// The test world's key; its private half is tests/fixtures/update-signing-key.TEST-ONLY.pem.
constexpr char TestKey[] =
    "043c48b79033b7f7be1a226c034d9e7e75d01d9798be936071685f5d003cd05f92ce00a49e4ec29471493033741414b0315d49827d8355dbee3070f64460f3299b";
constexpr char TestKeyId[] = "313c2e2428b02935";
// The curve's base point: a key, but not the one that signed.
constexpr char OtherKey[] =
    "046b17d1f2e12c4247f8bce6e563a440f277037d812deb33a0f4a13945d898c2964fe342e2fe1a7f9b8ee7eb4a7c0f9e162bce33576b315ececbb6406837bf51f5";

const std::string Serial5 =
    "[Release]\r\nserial=5\r\n[QivYunPlay]\r\nmd5=0cc175b9c0f1b6a831c399e269772661\r\nurl=http://127.0.0.1:9/QivYunPlay.exe\r\n"
    "[Mtkan]\r\nurl=http://mtkan.example/down\r\n[qvod]\r\nurl=C:\\Windows\\System32\\calc.exe\r\n";
constexpr char Serial5Signature[] =
    "263b9c6a94dad0a76eeb3a5efb1cf423a1d4ed789107e3aef5c4a1ae0ff3a4a3b52391266078f4705e40700939d71b83894fc7e44136b2ef919a2f626027cf83";
const std::string NoSerial = "[QivYunPlay]\r\nmd5=0cc175b9c0f1b6a831c399e269772661\r\n";
constexpr char NoSerialSignature[] =
    "66fa71e1526ef78586dc107642a793e8880c06d718847e6a40a951b274f84ee92daebf72c2908b8e2bc65c1ca8e2ee8bce0e7528b971766c18f6de068772ff02";
const std::string WordSerial = "[Release]\r\nserial=five\r\n";
constexpr char WordSerialSignature[] =
    "3325ce6b6f873d27c0549c6e95fd212f8943ff6e9dacdbb109a3777432c2789c462a1869222c2203b13a457f7712f5e1ced593816c85e2a22a421f0a2620ac34";

std::string SignatureFileText(const std::string& signatureHex, const std::string& keyId = TestKeyId) {
    return "QivYun manifest signature\r\nalgorithm: ECDSA P-256 SHA-256\r\nkey: " + keyId + "\r\nsignature: " +
           signatureHex + "\r\n";
}

RawSignature Raw(const std::string& hex) {
    RawSignature signature{};
    EXPECT_TRUE(DecodeHex(hex, signature.data(), signature.size()));
    return signature;
}

TEST(Signature, OnlyTheKeysSignatureOfTheExactBytesVerifies) {
    const PublicKey key = *PublicKeyFromHex(TestKey);
    const RawSignature good = Raw(Serial5Signature);
    EXPECT_TRUE(VerifySignature(key, Serial5, good));
    EXPECT_EQ(KeyId(key), TestKeyId);

    RawSignature flippedR = good, flippedS = good, zeroR = good, hugeS = good;
    flippedR[7] ^= 0x10;
    flippedS[63] ^= 0x01;
    std::fill(zeroR.begin(), zeroR.begin() + 32, 0);
    std::fill(hugeS.begin() + 32, hugeS.end(), 0xFF);  // above the curve's order
    std::string changed = Serial5;
    changed[changed.find("md5=") + 4] = '1';
    PublicKey offCurve = *PublicKeyFromHex(OtherKey);
    offCurve[64] ^= 0x01;
    const struct {
        const char* what;
        PublicKey key;
        std::string message;
        RawSignature signature;
    } refused[] = {
        {"one byte of the manifest changed", key, changed, good},
        {"the manifest cut short", key, Serial5.substr(0, Serial5.size() - 1), good},
        {"the manifest with a line more", key, Serial5 + "x=1\r\n", good},
        {"a bit of r flipped", key, Serial5, flippedR},
        {"a bit of s flipped", key, Serial5, flippedS},
        {"r zero", key, Serial5, zeroR},
        {"s above the order", key, Serial5, hugeS},
        {"another key", *PublicKeyFromHex(OtherKey), Serial5, good},
        {"a point off the curve", offCurve, Serial5, good},
    };
    for (const auto& c : refused) EXPECT_FALSE(VerifySignature(c.key, c.message, c.signature)) << c.what;

    for (const char* notAKey : {"", "04", "023c48b79033b7f7be1a226c034d9e7e75d01d9798be936071685f5d003cd05f92", "04zz"})
        EXPECT_FALSE(PublicKeyFromHex(notAKey)) << notAKey;
}

TEST(SignatureFile, ReadsWhatItWritesAndNothingElse) {
    const PublicKey key = *PublicKeyFromHex(TestKey);
    const std::string written = WriteSignatureFile(key, Raw(Serial5Signature));
    EXPECT_EQ(written, SignatureFileText(Serial5Signature));
    EXPECT_GT(written.size(), 100u) << "the updater's probe asks for the bytes from 100 on";

    std::string upperCase = written;
    for (std::size_t at = upperCase.find("signature: ") + 11; at < upperCase.size(); ++at)
        upperCase[at] = static_cast<char>(std::toupper(static_cast<unsigned char>(upperCase[at])));
    std::string bareLineFeeds = written;
    for (std::size_t at; (at = bareLineFeeds.find('\r')) != std::string::npos;) bareLineFeeds.erase(at, 1);
    for (const std::string& text : {written, upperCase, bareLineFeeds, written.substr(0, written.size() - 2)}) {
        const auto read = ReadSignatureFile(text);
        ASSERT_TRUE(read) << text;
        EXPECT_EQ(read->keyId, TestKeyId);
        EXPECT_EQ(read->signature, Raw(Serial5Signature));
    }

    std::string badDigit = written;
    badDigit[badDigit.size() - 5] = 'g';
    const std::string refused[] = {
        "",
        written.substr(0, written.size() - 4),  // truncated
        written + "\r\n",
        written + "comment: more\r\n",
        " " + written,
        badDigit,
        SignatureFileText(Serial5Signature, "313c2e2428b0293"),
        "QivYun manifest signature\r\nalgorithm: ECDSA P-384 SHA-384\r\nkey: 313c2e2428b02935\r\nsignature: " +
            std::string(Serial5Signature) + "\r\n",
    };
    for (const std::string& text : refused) EXPECT_FALSE(ReadSignatureFile(text)) << text;
}

TEST(ManifestCheck, SignatureAndSerialDecideTheVerdict) {
    std::string changed = Serial5;
    changed.replace(changed.find("mtkan.example"), 5, "evil.");
    const struct {
        const char* what;
        std::string manifest;
        std::optional<std::string> signature;
        long long releaseSerial;
        long long appliedSerial;
        ManifestVerdict verdict;
    } cases[] = {
        {"signed, newer than the build", Serial5, SignatureFileText(Serial5Signature), 3, 0, ManifestVerdict::Accepted},
        {"signed, the serial applied last", Serial5, SignatureFileText(Serial5Signature), 3, 5, ManifestVerdict::Accepted},
        {"signed, the build's own serial", Serial5, SignatureFileText(Serial5Signature), 5, 0, ManifestVerdict::Accepted},
        {"signed, older than the last applied", Serial5, SignatureFileText(Serial5Signature), 3, 6, ManifestVerdict::Older},
        {"signed, older than the build", Serial5, SignatureFileText(Serial5Signature), 6, 0, ManifestVerdict::Older},
        {"signed, without a serial", NoSerial, SignatureFileText(NoSerialSignature), 1, 0, ManifestVerdict::Older},
        {"signed, a serial in words", WordSerial, SignatureFileText(WordSerialSignature), 1, 0, ManifestVerdict::Older},
        {"no signature", Serial5, std::nullopt, 3, 0, ManifestVerdict::Unsigned},
        {"an empty signature file", Serial5, "", 3, 0, ManifestVerdict::BadSignature},
        {"a changed manifest", changed, SignatureFileText(Serial5Signature), 3, 0, ManifestVerdict::BadSignature},
        {"another manifest's signature", Serial5, SignatureFileText(NoSerialSignature), 3, 0, ManifestVerdict::BadSignature},
        {"named for another key", Serial5, SignatureFileText(Serial5Signature, "0123456789abcdef"), 3, 0,
         ManifestVerdict::BadSignature},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CheckedManifest checked =
            CheckManifest(c.manifest, c.signature, UpdateTrust::FromSettings(TestKey, c.releaseSerial), c.appliedSerial);
        EXPECT_EQ(checked.Verdict(), c.verdict);
        EXPECT_EQ(checked.SignedWithKey(), c.verdict == ManifestVerdict::Accepted);
        // Nothing of a manifest that failed is read.
        EXPECT_EQ(checked.Value("QivYunPlay", "md5", 100),
                  c.verdict == ManifestVerdict::Accepted ? "0cc175b9c0f1b6a831c399e269772661" : "");
    }

    // Without a key every manifest passes, as before signatures; a setting that is no key trusts none.
    const CheckedManifest unsafe = CheckManifest(changed, std::nullopt, UpdateTrust::FromSettings("", 3), 9);
    EXPECT_EQ(unsafe.Verdict(), ManifestVerdict::Accepted);
    EXPECT_FALSE(unsafe.SignedWithKey());
    EXPECT_EQ(unsafe.Serial(), 5);
    EXPECT_EQ(CheckManifest(Serial5, SignatureFileText(Serial5Signature), UpdateTrust::FromSettings("04zz", 1), 0).Verdict(),
              ManifestVerdict::BadSignature);
}

TEST(ManifestCheck, LocalCopyAndSignatureAreReadFromTheirFiles) {
    const std::string path = (fs::temp_directory_path() / "qivyun-check-manifest.ini").string();
    const UpdateTrust trust = UpdateTrust::FromSettings(TestKey, 1);
    std::ofstream(path, std::ios::binary) << Serial5;
    std::ofstream(SignatureLocationOf(path), std::ios::binary) << SignatureFileText(Serial5Signature);
    EXPECT_EQ(CheckManifestFile(path, trust, 0).Verdict(), ManifestVerdict::Accepted);
    fs::remove(SignatureLocationOf(path));
    EXPECT_EQ(CheckManifestFile(path, trust, 0).Verdict(), ManifestVerdict::Unsigned);
    fs::remove(path);
    EXPECT_EQ(CheckManifestFile(path, trust, 0).Verdict(), ManifestVerdict::Missing);

    // The record of the serial applied last, as the updater writes it.
    std::ofstream(path, std::ios::binary) << AppliedSerialText(12);
    EXPECT_EQ(ReadAppliedSerial(path), 12);
    fs::remove(path);
    EXPECT_EQ(ReadAppliedSerial(path), 0);
    const struct {
        const char* text;
        long long serial;
    } serials[] = {{"1", 1}, {"007", 7}, {"123456789012345678", 123456789012345678}, {"0", 0}, {"", 0}, {"-3", 0},
                   {"+3", 0}, {"3 ", 0}, {"3.0", 0}, {"1234567890123456789", 0}};
    for (const auto& s : serials) EXPECT_EQ(ParseSerial(s.text), s.serial) << s.text;
}

TEST(ManifestCheck, DownloadMustMatchBothDigests) {
    const std::string md5 = "0cc175b9c0f1b6a831c399e269772661";
    const std::string sha = "ca978112ca1bbdcafac231b39a23dc4da786eff8147c4e72b9807785afee48bb";
    const std::string otherSha = std::string(64, 'e');
    const struct {
        const char* what;
        ManifestProgram program;
        std::string fileMd5, fileSha;
        bool signedWithKey;
        bool matches;
    } cases[] = {
        {"both match", {md5, sha, ""}, md5, sha, true, true},
        {"both match, upper case", {UpperCaseDigest(md5), UpperCaseDigest(sha), ""}, md5, sha, true, true},
        {"MD5 matches, SHA-256 does not", {md5, sha, ""}, md5, otherSha, true, false},
        {"SHA-256 matches, MD5 does not", {md5, sha, ""}, "900150983cd24fb0d6963f7d28e17f72", sha, true, false},
        {"signed manifest without SHA-256", {md5, "", ""}, md5, sha, true, false},
        {"no key, manifest without SHA-256", {md5, "", ""}, md5, sha, false, true},
        {"no key, SHA-256 named and wrong", {md5, sha, ""}, md5, otherSha, false, false},
        {"file that could not be read", {md5, sha, ""}, "", "", true, false},
    };
    for (const auto& c : cases) EXPECT_EQ(DownloadMatches(c.program, c.fileMd5, c.fileSha, c.signedWithKey), c.matches) << c.what;
}

TEST(ManifestCheck, LinksOpenOnlyWebPagesOfAnAcceptedManifest) {
    const auto links = [](const std::string& page, const UpdateTrust& trust, const std::optional<std::string>& signature) {
        return LinkPageToOpen(CheckManifest("[Mtkan]\r\nurl=" + page + "\r\n", signature, trust, 0), "mtkan");
    };
    const UpdateTrust withoutKey = UpdateTrust::FromSettings("", 1);
    const struct {
        std::string page;
        std::string opened;
    } cases[] = {
        {"http://mtkan.example/down", "http://mtkan.example/down"},
        {"HTTPS://qvod.example/", "HTTPS://qvod.example/"},
        {"C:\\Windows\\System32\\calc.exe", ""},
        {"file:///C:/Windows/System32/calc.exe", ""},
        {"\\\\host\\share\\setup.exe", ""},
        {"javascript:alert(1)", ""},
        {"http://", ""},
        {"", ""},
    };
    // Even a build without a key, which accepts every manifest, opens web pages only.
    for (const auto& c : cases) EXPECT_EQ(links(c.page, withoutKey, std::nullopt), c.opened) << c.page;

    const UpdateTrust withKey = UpdateTrust::FromSettings(TestKey, 1);
    const CheckedManifest signedManifest = CheckManifest(Serial5, SignatureFileText(Serial5Signature), withKey, 0);
    EXPECT_EQ(LinkPageToOpen(signedManifest, "Mtkan"), "http://mtkan.example/down");
    EXPECT_EQ(LinkPageToOpen(signedManifest, "qvod"), "");  // the calculator stays closed
    EXPECT_EQ(links("http://mtkan.example/down", withKey, std::nullopt), "") << "an unsigned manifest opens nothing";
    EXPECT_EQ(LinkPageToOpen(CheckedManifest(), "Mtkan"), "") << "before the check";
}

}  // namespace
}  // namespace qivyun
