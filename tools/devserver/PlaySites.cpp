// The pages that play inside the main window's panes: the MTkan play page, the KCPlay start page,
// the vendor's live-TV page and the music-radio site. Every one of them keeps a request log (see
// LogRequests), and each answers /popup.html with a page that tries to open /opened.html in a new
// window as soon as it has loaded; a pane that cancels new windows never requests /opened.html.
#include "BuildConfig.h"
#include "Parties.h"

#include <string>

namespace qivyun::devserver {
namespace {

std::string Page(const std::string& title, const std::string& body) {
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + title +
           "</title></head>\n<body style=\"margin:0;font-family:sans-serif\">\n" + body + "\n</body></html>\n";
}

void AddPopupPages(httplib::Server& site, const std::string& name) {
    site.Get("/popup.html", [name](const httplib::Request&, httplib::Response& response) {
        response.set_content(Page(name + " 弹窗页",
                                  "<p>这一页想打开新窗口</p>\n<a id=\"blank\" href=\"/opened.html\" target=\"_blank\">新窗口</a>\n"
                                  "<script>window.onload = function () { window.open('/opened.html', 'ad'); "
                                  "document.getElementById('blank').click(); };</script>"),
                             "text/html; charset=utf-8");
    });
    site.Get("/opened.html", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(Page("新窗口", "<p>不该打开的窗口</p>"), "text/html; charset=utf-8");
    });
}

}  // namespace

void AddPlaySites(TestWorld& world) {
    httplib::Server& mtkan = LogRequests(world.AddParty("mtkan", config::MtkanPageAddress));
    mtkan.Get(PathOf(config::MtkanPageAddress), [](const httplib::Request& request, httplib::Response& response) {
        std::string url = request.get_param_value("url");
        std::string body = "<div style=\"background:#10243c;color:#e8f0ff;height:1280px;padding:40px\">\n"
                           "<h1>MTkan 云点播</h1>\n<p>正在缓冲: <span id=\"url\">" + HtmlEscape(url) + "</span></p>\n"
                           "<p>id=" + HtmlEscape(request.get_param_value("id")) + " key=" +
                           HtmlEscape(request.get_param_value("key")) + "</p>\n"
                           "<div style=\"width:720px;height:405px;background:#000;color:#888;text-align:center;"
                           "line-height:405px\">▶ 播放器</div>\n</div>";
        response.set_content(Page("MTkan 云点播", body), "text/html; charset=utf-8");
    });
    AddPopupPages(mtkan, "MTkan");

    // The address to play travels in the fragment ("#!u="), which the browser never sends.
    httplib::Server& kcplay = LogRequests(world.AddParty("kcplay", config::KcplayPageAddress));
    kcplay.Get("/", [](const httplib::Request&, httplib::Response& response) {
        std::string body = "<div style=\"background:#333;color:#fff;height:141px\">KCPlay 页头</div>\n"
                           "<div style=\"background:#1d3b1d;color:#eaffea;height:1219px;padding:40px\">\n"
                           "<h1>KCPlay 云播</h1>\n<p id=\"u\"></p>\n</div>\n"
                           "<script>document.getElementById('u').innerText = location.hash;</script>";
        response.set_content(Page("KCPlay", body), "text/html; charset=utf-8");
    });
    AddPopupPages(kcplay, "KCPlay");

    httplib::Server& liveTv = LogRequests(world.AddParty("livetv", config::LiveTvPageAddress));
    liveTv.Get(PathOf(config::LiveTvPageAddress), [](const httplib::Request&, httplib::Response& response) {
        response.set_content(Page("网络直播", "<div style=\"background:#3c1010;color:#ffe8e8;height:1360px;padding:40px\">"
                                               "<h1>网络直播</h1><p>CCTV-1 综合</p></div>"),
                             "text/html; charset=utf-8");
    });
    AddPopupPages(liveTv, "直播");

    httplib::Server& radio = LogRequests(world.AddParty("radio", config::RadioPageAddress));
    radio.Get("/", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(Page("音乐电台", "<div style=\"background:#2c2c54;color:#fff;height:535px;padding:40px\">"
                                               "<h1>音乐电台</h1><p>正在播放: 测试之歌</p></div>"),
                             "text/html; charset=utf-8");
    });
    AddPopupPages(radio, "电台");
}

}  // namespace qivyun::devserver
