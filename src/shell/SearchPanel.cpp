#include "shell/SearchPanel.h"

#include "BuildConfig.h"
#include "framework/SystemCalls.h"
#include "framework/Text.h"
#include "shell/ControlPlaces.h"
#include "shell/ResourceIds.h"
#include "versioncheck/Manifest.h"

namespace qivyun {
namespace {

constexpr char KeywordPlaceholder[] = "在此输入要搜索的关键词(演员名字 影片番号 影片类型等)";
constexpr char ShowIntroCaption[] = "显示搜索及播放选项简介";
constexpr char HideIntroCaption[] = "关闭搜索及播放选项简介";
constexpr char EcvText[] = "本搜索引擎涉及违禁的血腥暴力色情资源太多！暂时关闭";
constexpr char EcvCaption[] = "Qiv云播盒子友情提示";

constexpr char IntroductionText[] =
    "Ed2k_4U、FuSo搜索较快\r\n资源较多,建议优选使用\r\n\r\nH31B DHCT作为备用引擎\r\nEvc 引擎由于其特殊性\r\n"
    "暂时不与开放！\r\n\r\nmtkan播放引擎具有较好\r\n的播放率,几乎支持所有\r\n媒体格式,需要下载播放\r\n"
    "组件mtkanpp_3.0.exe\r\n\r\nKCPlay播放引擎,无需下\r\n载播放组件可随意拖放\r\n速度也很快,但支持播放\r\n"
    "的文件太少！作为备用\r\n\r\n再次点击查看说明关闭";

constexpr COLORREF ResultTextColour = RGB(94, 95, 255);
constexpr DWORD ResultListExtendedStyles = LVS_EX_FULLROWSELECT | LVS_EX_HIDELABELS;
// The result list's columns.
constexpr int NameColumn = 1;
constexpr int AddressColumn = 3;

// Client-area pixels.
constexpr ControlPlace Places[] = {
    {IDC_SEARCH, 678, 95, 70, 23, true},
    {IDC_KEYWORD, 151, 96, 515, 22, true},
    {IDC_LOAD_MORE, 658, 478, 90, 23, true},
    {IDC_SEARCH_ENGINES_FRAME, 757, 122, 172, 185, true},
    {IDC_ENGINE_HASH, 770, 142, 160, 18, true},
    {IDC_ENGINE_FUSO, 770, 167, 160, 18, true},
    {IDC_ENGINE_ED2K4U, 770, 192, 160, 18, true},
    {IDC_ENGINE_H31B, 770, 217, 160, 18, true},
    {IDC_ENGINE_DHCT, 770, 242, 160, 18, true},
    {IDC_ENGINE_ECV, 770, 267, 160, 18, true},
    {IDC_RESULT_LIST, 150, 123, 600, 350, true},
    {IDC_SEARCH_STATUS, 155, 481, 500, 12, true},
    {IDC_FEEDBACK, 885, 91, 50, 20, true},
    {IDC_STATUS_LINE, 0, 586, 740, 16, true},
    {IDC_INTRO_FRAME, 7, 203, 136, 250, false},
    {IDC_INTRO_TEXT, 11, 223, 130, 250, false},
    {IDC_INTRO_TOGGLE, 7, 164, 140, 30, true},
    {IDC_QVOD_LINK, 7, 129, 140, 30, true},
    {IDC_MTKAN_DOWNLOAD, 7, 94, 140, 30, true},
};

// What shows with the panel. The introduction is not among them: returning to the search panel
// leaves it hidden.
constexpr int PanelControls[] = {
    IDC_QVOD_LINK, IDC_SEARCH_ENGINES_FRAME, IDC_ENGINE_HASH, IDC_ENGINE_FUSO, IDC_ENGINE_ECV, IDC_ENGINE_DHCT,
    IDC_ENGINE_H31B, IDC_ENGINE_ED2K4U, IDC_LOAD_MORE, IDC_SEARCH, IDC_RESULT_LIST, IDC_KEYWORD, IDC_SEARCH_STATUS,
    IDC_STATUS_LINE, IDC_FEEDBACK, IDC_INTRO_TOGGLE, IDC_MTKAN_DOWNLOAD,
};
constexpr int Introduction[] = {IDC_INTRO_TEXT, IDC_INTRO_FRAME};

// The engines' check boxes in launch order.
constexpr int EngineCheckBoxes[EngineCount] = {IDC_ENGINE_ED2K4U, IDC_ENGINE_H31B, IDC_ENGINE_DHCT, IDC_ENGINE_FUSO,
                                               IDC_ENGINE_HASH};

}  // namespace

const MessageMap<SearchPanel> SearchPanel::messages = {
    OnClick(IDC_SEARCH, &SearchPanel::OnSearch),
    OnClick(IDC_LOAD_MORE, &SearchPanel::OnLoadMore),
    OnMessage(WM_TIMER, &SearchPanel::OnTimer),
    OnNotify(IDC_RESULT_LIST, NM_DBLCLK, &SearchPanel::OnListDoubleClick),
    OnClick(IDC_ENGINE_ED2K4U, &SearchPanel::SelectEngine, EngineId::Ed2k4U),
    OnClick(IDC_ENGINE_H31B, &SearchPanel::SelectEngine, EngineId::H31B),
    OnClick(IDC_ENGINE_DHCT, &SearchPanel::SelectEngine, EngineId::DHCT),
    OnClick(IDC_ENGINE_FUSO, &SearchPanel::SelectEngine, EngineId::FuSo),
    OnClick(IDC_ENGINE_HASH, &SearchPanel::SelectEngine, EngineId::Hash),
    OnClick(IDC_ENGINE_ECV, &SearchPanel::OnEngineEcv),
    OnClick(IDC_INTRO_TOGGLE, &SearchPanel::OnToggleIntro),
    OnClick(IDC_FEEDBACK, &SearchPanel::OnFeedback),
    OnClick(IDC_MTKAN_DOWNLOAD, &SearchPanel::OpenManifestLink, manifest::MtkanSection),
    OnClick(IDC_QVOD_LINK, &SearchPanel::OpenManifestLink, manifest::QvodSection),
};

SearchPanel::SearchPanel(Dialog& window, ListPlayer& player) : window(window), player(player) {}

void SearchPanel::DoDataExchange(DataExchange& exchange) {
    exchange.Control(IDC_QVOD_LINK, qvodLinkButton);
    exchange.Control(IDC_MTKAN_DOWNLOAD, mtkanDownloadButton);
    exchange.Control(IDC_INTRO_TOGGLE, introButton);
    exchange.Control(IDC_RESULT_LIST, resultList);
    for (int index = 0; index < EngineCount; ++index) exchange.Check(EngineCheckBoxes[index], engineEnabled[index]);
    exchange.Text(IDC_SEARCH_STATUS, statusText);
    exchange.Text(IDC_KEYWORD, keywordText);
}

void SearchPanel::LayOut() {
    PlaceControls(window, Places);
    LoadButtonPictures({{introButton, IDR_PNG_INTRO_TOGGLE},
                        {qvodLinkButton, IDR_PNG_QVOD_LINK},
                        {mtkanDownloadButton, IDR_PNG_MTKAN_DOWNLOAD}});
    window.SetItemText(IDC_INTRO_TEXT, IntroductionText);
    keywordText = KeywordPlaceholder;
}

void SearchPanel::SetUpResultList() {
    resultList.SetTextColor(ResultTextColour);
    resultList.AddExtendedStyle(ResultListExtendedStyles);
    resultList.InsertColumn(0, "ID", 25);
    resultList.InsertColumn(NameColumn, "影片名称", 490);
    resultList.InsertColumn(2, "大小", 80);
    resultList.InsertColumn(AddressColumn, "地址", 600);
    int row = resultList.InsertRow(0, "");
    for (int column = 1; column < 4; ++column) resultList.SetCellText(row, column, "");
}

void SearchPanel::Show() {
    PutStatusLine();
    for (int id : PanelControls) window.ShowItem(id, true);
}

void SearchPanel::Hide() {
    for (int id : PanelControls) window.ShowItem(id, false);
    for (int id : Introduction) window.ShowItem(id, false);
}

void SearchPanel::SetStatusLine(const std::string& text) {
    statusLineText = text;
    PutStatusLine();
}

void SearchPanel::PutStatusLine() const { window.SetItemText(IDC_STATUS_LINE, statusLineText); }

void SearchPanel::SelectEngine(EngineId engine) {
    window.UpdateData(true);
    for (int index = 0; index < EngineCount; ++index) {
        bool chosen = index == static_cast<int>(engine);
        CheckDlgButton(window.Handle(), EngineCheckBoxes[index], chosen ? BST_CHECKED : BST_UNCHECKED);
        engineEnabled[index] = chosen ? 1 : 0;
    }
}

// The Ecv box stands for an engine that is switched off: it never stays checked.
void SearchPanel::OnEngineEcv() {
    CheckDlgButton(window.Handle(), IDC_ENGINE_ECV, BST_UNCHECKED);
    ShowMessageBox(window.Handle(), EcvText, EcvCaption, MB_OK | MB_ICONEXCLAMATION);
}

// A new search hides the play panel's address box and button, even when the keyword is refused.
void SearchPanel::OnSearch() {
    player.HideAddressBox();
    session.OnSearch();
}

void SearchPanel::OnTimer(UINT_PTR timerId) {
    session.OnTimer(timerId);
    window.Default();
}

LRESULT SearchPanel::OnListDoubleClick(const NMHDR&) {
    player.PlayFromList(SelectedRow());
    return 0;
}

ResultRow SearchPanel::SelectedRow() const {
    int row = resultList.SelectionMark();
    if (row < 0) return {};
    return {resultList.CellText(row, NameColumn), resultList.CellText(row, AddressColumn)};
}

std::wstring SearchPanel::KeywordText() const { return WideTextOf(window.Item(IDC_KEYWORD)); }

void SearchPanel::ShowSearchStatus(const std::string& text) {
    statusText = text;
    window.UpdateData(false);
}

void SearchPanel::ShowWaitingPopup(const char* text) {
    // The popup has one window at a time: a request that starts before the last one ended
    // replaces it.
    waitingPopup.Destroy();
    waitingPopup.message = text;
    waitingPopup.Create(window.Handle());
    // A top-level window: the client rectangle's figures become screen coordinates.
    RECT client = window.ClientRect();
    int x = client.left + 360;
    int y = client.top + 295;
    waitingPopup.Move(x, y, (client.right - 260) - x, (client.bottom - 235) - y, true);
    waitingPopup.Show(SW_SHOWNORMAL);
    window.UpdateData(false);
}

void SearchPanel::OnToggleIntro() {
    const bool show = !introShown;
    introShown = show;
    window.SetItemText(IDC_INTRO_TOGGLE, show ? HideIntroCaption : ShowIntroCaption);
    for (int id : Introduction) window.ShowItem(id, show);
}

void SearchPanel::OnFeedback() { OpenAddress(window.Handle(), config::FeedbackPageAddress); }

// The manifest is fetched over plain HTTP, so only a web address is handed to the shell: a file
// name or another scheme there would have the shell start a program.
void SearchPanel::OpenManifestLink(const char* section) {
    std::string page = LinkPageToOpen(checkedManifest, section);
    if (!page.empty()) OpenAddress(window.Handle(), page);
}

}  // namespace qivyun
