// The five search sites. Each answers its engine's paths and query keys with deterministic UTF-8
// result pages in its own format: 23 results over pages of 10 (page 3 holds 3, later pages none),
// names built from the keyword and the result's number. The BT sites share the info-hash of every
// odd-numbered result, as sites over one network do, and give even-numbered ones hashes of their
// own. Some keywords choose other answers:
//   notfound  status 404
//   empty     a result page without results
//   hostile   results with missing fields and closing markers, a record marker inside a name, a
//             character GBK cannot hold, CR LF line ends and a page that stops inside its last record
//   slow      the usual results, answered after three seconds
//   mixed     the usual results, but H31B answers 404 and FuSo answers after three seconds
// Each site keeps a log of the requests it was sent, for tests to assert exact addresses:
//   GET  /world/requests        "METHOD TARGET USER-AGENT" per request since the last reset, one a line
//   POST /world/requests/reset  empties the log
#include "BuildConfig.h"
#include "Parties.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace qivyun::devserver {
namespace {

constexpr int TotalResults = 23;
constexpr int ResultsPerPage = 10;

struct Result {
    int number;
    std::string name;  // HTML-escaped
    std::string sizeText;
    long long bytes;
    std::string infoHash;  // 40 hexadecimal digits
    std::string ed2kHash;  // 32 hexadecimal digits
};

// What a hostile page does to one record.
struct Defects {
    bool noName = false;
    bool noSize = false;
    bool noAddress = false;
    std::string nameSuffix;  // raw markup put into the name
};

std::uint64_t Fnv1a(const std::string& text, std::uint64_t seed) {
    std::uint64_t hash = 1469598103934665603ULL ^ seed;
    for (const unsigned char c : text) hash = (hash ^ c) * 1099511628211ULL;
    return hash;
}

std::string HexDigits(const std::string& text, int digits) {
    std::string out;
    for (std::uint64_t round = 0; static_cast<int>(out.size()) < digits; ++round) {
        char part[17];
        std::snprintf(part, sizeof part, "%016llX", static_cast<unsigned long long>(Fnv1a(text, round)));
        out += part;
    }
    return out.substr(0, static_cast<size_t>(digits));
}

Result MakeResult(const std::string& site, const std::string& keyword, int number) {
    Result result;
    result.number = number;
    result.name = HtmlEscape(keyword) + " 第" + std::to_string(number) + "部 高清";
    result.bytes = 700LL * 1024 * 1024 + static_cast<long long>(number) * 37 * 1024 * 1024;
    char size[32];
    std::snprintf(size, sizeof size, "%.2f GB", static_cast<double>(result.bytes) / (1024.0 * 1024 * 1024));
    result.sizeText = size;
    result.infoHash = HexDigits((number % 2 ? std::string() : site + ":") + keyword + "#" + std::to_string(number), 40);
    result.ed2kHash = HexDigits("ed2k:" + keyword + "#" + std::to_string(number), 32);
    return result;
}

// One site's markup: the page head with the total, one record, the page end.
struct SiteFormat {
    const char* site;
    std::string (*head)(const std::string& keyword, int total);
    std::string (*record)(const Result& result, const Defects& defects);
    const char* tail;
};

std::string Ed2k4UHead(const std::string& keyword, int total) {
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + HtmlEscape(keyword) +
           " - Ed2k 4U</title></head>\n<body>\n<table class=\"summary\"><tr><td>关键词: " + HtmlEscape(keyword) +
           "</td><td class=\"count\">结果总数 " + std::to_string(total) + "</td></tr></table>\n<ul class=\"thumbs\">\n";
}

std::string Ed2k4URecord(const Result& r, const Defects& d) {
    std::string page = "<li hash=\"" + r.ed2kHash + "\" class=\"item\"><a href=\"/file/" + r.ed2kHash +
                       "\"><img src=\"/thumb/" + r.ed2kHash + ".jpg\" alt=\"\"/>";
    if (!d.noName) page += "<br/>\n   " + r.name + d.nameSuffix + "<small>.mkv</small>";
    page += "</a>\n";
    if (!d.noSize) page += "<span class=\"size\">大小:" + r.sizeText + "&nbsp;</span>\n";
    if (!d.noAddress)
        page += "<span id=\"link-" + std::to_string(r.number) + "\"><a href=\"ed2k://|file|" + r.name + ".mkv|" +
                std::to_string(r.bytes) + "|" + r.ed2kHash + "|/\">ED2K</a></span>\n";
    return page + "</li>\n";
}

std::string H31BHead(const std::string& keyword, int total) {
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + HtmlEscape(keyword) +
           "_H31B</title></head>\n<body>\n<div class=\"stat\">总条数: " + std::to_string(total) +
           " 时间: 0.02 秒</div>\n<div class=\"list\">\n";
}

std::string H31BRecord(const Result& r, const Defects& d) {
    std::string page = "<div class=\"item\"><a class=\"more\" href=\"/detail/" + r.infoHash + ".html\" title=\"查看详情\">查看</a>\n";
    if (!d.noName)
        page += "<a class=\"name\" href=\"/detail/" + r.infoHash + ".html\" title=\"" + r.name + d.nameSuffix + "\">" +
                r.name + "</a>\n";
    page += "<span>文件大小: " + r.sizeText + "</span>\n";
    if (!d.noAddress) page += "<a href=\"magnet:?xt=urn:btih:" + r.infoHash + "&dn=" + r.name + "\">磁力链接</a>\n";
    return page + "</div>\n";
}

std::string DhctHead(const std::string& keyword, int) {
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + HtmlEscape(keyword) +
           " - DHCT</title></head>\n<body>\n<div class=\"m-list\">\n";
}

std::string DhctRecord(const Result& r, const Defects& d) {
    std::string page = "<ul class=\"m-files-ul\">\n<li>";
    if (!d.noAddress) page += "<a href=\"magnet:?xt=urn:btih:" + r.infoHash + "&dn=" + r.name + "\">";
    if (!d.noName) page += "<img alt=\"下载 " + r.name + d.nameSuffix + "\" src=\"/icon/video.png\">";
    page += "</a></li>\n";
    if (!d.noSize) page += "<li class=\"m-files-info\">大小:" + r.sizeText + "&nbsp;&nbsp;文件数:3</li>\n";
    return page + "</ul>\n";
}

std::string FuSoHead(const std::string& keyword, int total) {
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + HtmlEscape(keyword) +
           " FuSo</title></head>\n<body>\n<p class=\"found\">找到与“" + HtmlEscape(keyword) + "”相关的BT种子 " +
           std::to_string(total) + "个</p>\n<table class=\"results\">\n";
}

std::string FuSoRecord(const Result& r, const Defects& d) {
    std::string page = "<tr><td class=\"number\">" + std::to_string(r.number) + "</td>";
    if (!d.noName)
        page += "<td class=\"name\"><a href=\"/info/" + r.infoHash + "\" target=\"_blank\">" + r.name + d.nameSuffix +
                "</a></td>";
    if (!d.noSize) page += "<td>" + r.sizeText + "</td>";
    if (!d.noAddress)
        page += "<td class=\"link\"><a href=\"magnet:?xt=urn:btih:" + r.infoHash + "&dn=" + r.name +
                "&tr=udp%3A%2F%2Ftracker.example%3A80\">磁力</a></td>";
    return page + "</tr>\n";
}

std::string HashHead(const std::string& keyword, int) {
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + HtmlEscape(keyword) +
           " | Hash</title></head>\n<body>\n";
}

std::string HashRecord(const Result& r, const Defects& d) {
    std::string page = "<table class=\"item\"><tr><td><a href=\"/detail/" + r.infoHash +
                       "\" target=\"_blank\">Detail</a></td></tr><tr><td><a";
    if (!d.noName) page += " title=\"" + r.name + d.nameSuffix + "\"";
    if (!d.noAddress) page += " href=\"/hash/" + r.infoHash + "\"";
    page += ">" + r.name + "</a></td>";
    if (!d.noSize) page += "<td class=\"files-size\">" + r.sizeText + "</td>";
    return page + "</tr></table>\n";
}

std::string Page(const SiteFormat& format, const std::string& keyword, int page) {
    if (keyword == "empty") return format.head(keyword, 0) + format.tail;
    if (keyword == "hostile") {
        Defects defects[5];
        defects[0].nameSuffix = " \xF0\x9F\x8E\xAC";  // a clapper board: no GBK form
        defects[1].noName = true;
        defects[2].noAddress = true;
        defects[2].noSize = true;
        defects[3].nameSuffix = " li hash= title=\"查看 class=\"number\" 大小:";
        std::string text = format.head(keyword, TotalResults);
        for (int i = 0; i < 5; ++i) text += format.record(MakeResult(format.site, keyword, i + 1), defects[i]);
        // CR LF line ends, and the page stops a little after the last record's marker.
        std::string crlf;
        for (const char c : text) {
            if (c == '\n') crlf += '\r';
            crlf += c;
        }
        const std::string last = format.record(MakeResult(format.site, keyword, 6), Defects{});
        return crlf + last.substr(0, last.size() / 3);
    }
    std::string text = format.head(keyword, TotalResults);
    for (int number = (page - 1) * ResultsPerPage + 1; number <= page * ResultsPerPage && number <= TotalResults; ++number)
        if (number > 0) text += format.record(MakeResult(format.site, keyword, number), Defects{});
    return text + format.tail;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A path segment or query value as the site reads it: %XX escapes and "+" for a blank.
std::string DecodeComponent(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The raw value of a query key in the request target, decoded.
std::string QueryValue(const httplib::Request& request, const std::string& key) {
    const std::string& target = request.target;
    size_t start = target.find('?');
    while (start != std::string::npos) {
        ++start;
        const size_t end = target.find('&', start);
        const std::string pair = target.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (pair.compare(0, key.size() + 1, key + "=") == 0) return DecodeComponent(pair.substr(key.size() + 1));
        start = end;
    }
    return {};
}

int PageNumber(const std::string& text) {
    int page = 0;
    for (const char c : text) {
        if (c < '0' || c > '9' || page > 100000) return 1;
        page = page * 10 + (c - '0');
    }
    return page > 0 ? page : 1;
}

void Answer(httplib::Response& response, const SiteFormat& format, const std::string& keyword, int page) {
    const std::string site = format.site;
    if (keyword == "slow" || (keyword == "mixed" && site == "fuso")) std::this_thread::sleep_for(std::chrono::seconds(3));
    if (keyword == "notfound" || (keyword == "mixed" && site == "h31b")) {
        response.status = 404;
        response.set_content("<html><body>404 Not Found</body></html>", "text/html");
        return;
    }
    response.set_content(Page(format, keyword, page), "text/html; charset=utf-8");
}

// The raw path segment that follows prefix in the request target, up to the next "/" or "?".
std::string Segment(const httplib::Request& request, const std::string& prefix) {
    const size_t start = request.target.find(prefix);
    if (start == std::string::npos) return {};
    const size_t from = start + prefix.size();
    const size_t end = request.target.find_first_of("/?", from);
    return request.target.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

const SiteFormat ed2k4U{"ed2k4u", Ed2k4UHead, Ed2k4URecord, "</ul>\n</body></html>\n"};
const SiteFormat h31b{"h31b", H31BHead, H31BRecord, "</div>\n</body></html>\n"};
const SiteFormat dhct{"dhct", DhctHead, DhctRecord, "</div>\n</body></html>\n"};
const SiteFormat fuso{"fuso", FuSoHead, FuSoRecord, "</table>\n</body></html>\n"};
const SiteFormat hash{"hash", HashHead, HashRecord, "</body></html>\n"};

}  // namespace

void AddSearchSites(TestWorld& world) {
    LogRequests(world.AddParty("ed2k4u", config::Ed2k4UAddress)).Get(R"(//search/.*)", [](const httplib::Request& request, httplib::Response& response) {
        Answer(response, ed2k4U, DecodeComponent(Segment(request, "//search/")), PageNumber(QueryValue(request, "page")));
    });
    LogRequests(world.AddParty("h31b", config::H31BAddress)).Get("/bt.aspx", [](const httplib::Request& request, httplib::Response& response) {
        Answer(response, h31b, QueryValue(request, "key"), PageNumber(QueryValue(request, "page")));
    });
    LogRequests(world.AddParty("dhct", config::DHCTAddress)).Get("/", [](const httplib::Request& request, httplib::Response& response) {
        Answer(response, dhct, QueryValue(request, "s"), PageNumber(QueryValue(request, "p")));
    });
    LogRequests(world.AddParty("fuso", config::FuSoAddress)).Get("/", [](const httplib::Request& request, httplib::Response& response) {
        Answer(response, fuso, QueryValue(request, "keyword"), PageNumber(QueryValue(request, "page")));
    });
    LogRequests(world.AddParty("hash", config::HashAddress))
        .Get(R"(/search/[^/]*/currentPage/[^/]*)", [](const httplib::Request& request, httplib::Response& response) {
            Answer(response, hash, DecodeComponent(Segment(request, "/search/")),
                   PageNumber(Segment(request, "/currentPage/")));
        });
}

}  // namespace qivyun::devserver
