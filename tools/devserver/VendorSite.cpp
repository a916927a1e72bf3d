// The vendor's own site: the connectivity probe, the home page and the feedback page.
#include "BuildConfig.h"
#include "Parties.h"

namespace qivyun::devserver {

void AddVendorSite(TestWorld& world) {
    httplib::Server& site = world.AddParty("vendor", config::HomePageAddress);
    site.Get(PathOf(config::ProbeAddress), [](const httplib::Request&, httplib::Response& response) {
        response.set_content("<html><body>ok</body></html>", "text/html");
    });
    site.Get("/", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(
            "<html><head><meta charset=\"utf-8\"><title>Qiv云播</title></head>"
            "<body><h1>Qiv云播盒子</h1><p>测试世界的主页</p></body></html>",
            "text/html; charset=utf-8");
    });
    site.Get(PathOf(config::FeedbackPageAddress), [](const httplib::Request&, httplib::Response& response) {
        response.set_content(
            "<html><head><meta charset=\"utf-8\"><title>反馈留言</title></head>"
            "<body><h1>反馈留言</h1><form method=\"post\"><textarea name=\"text\"></textarea></form></body></html>",
            "text/html; charset=utf-8");
    });
}

}  // namespace qivyun::devserver
