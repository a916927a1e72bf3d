#include "shell/BrowserControl.h"

#include "common/CodePage.h"
#include "framework/ProcessPaths.h"

#include <exdisp.h>
#include <ocidl.h>
#include <ole2.h>

namespace qivyun {
namespace {

constexpr DISPID NavigateId = 104;
constexpr DISPID RefreshId = -550;
constexpr DISPID BeforeNavigate2Id = 250;
constexpr DISPID NewWindow2Id = 251;
constexpr DISPID DocumentCompleteId = 259;
constexpr DISPID NewWindow3Id = 273;

constexpr wchar_t BrowserEmulationKey[] =
    L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";
constexpr DWORD CurrentDocumentMode = 11001;

}  // namespace

// The container side of one hosted control: client site, in-place site and frame, and the sink of
// the control's events. Lives as long as the control holds a reference to it.
class BrowserSite : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame, public IDispatch {
public:
    explicit BrowserSite(BrowserControl* owner) : owner_(owner) {}
    void Disconnect() { owner_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IOleClientSite) *object = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IOleInPlaceSite || iid == IID_IOleWindow) *object = static_cast<IOleInPlaceSite*>(this);
        else if (iid == IID_IOleInPlaceFrame || iid == IID_IOleInPlaceUIWindow) *object = static_cast<IOleInPlaceFrame*>(this);
        else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) *object = static_cast<IDispatch*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
        *container = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (shared by the in-place site and the frame)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        *window = owner_ ? owner_->Handle() : nullptr;
        return *window ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                               LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
        *frame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        *document = nullptr;
        HWND host = owner_ ? owner_->Handle() : nullptr;
        GetClientRect(host, position);
        GetClientRect(host, clip);
        info->fMDIApp = FALSE;
        info->hwndFrame = host;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow and IOleInPlaceFrame: no toolbars, menus or accelerators of ours.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDispatch: the control's events
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        if (!owner_) return S_OK;
        switch (id) {
            case DocumentCompleteId:  // (frame, address): the address is the last argument, first in the array
                if (owner_->onDocumentComplete && parameters->cArgs >= 2) {
                    VARIANT* address = &parameters->rgvarg[0];
                    if (address->vt == (VT_BYREF | VT_VARIANT)) address = address->pvarVal;
                    owner_->onDocumentComplete(address->vt == VT_BSTR && address->bstrVal
                                                   ? GbkFromWide(std::wstring_view(address->bstrVal, SysStringLen(address->bstrVal)))
                                                   : std::string());
                }
                break;
            case NewWindow2Id:  // (window, cancel)
            case NewWindow3Id:  // (window, cancel, flags, context, address)
                if (parameters->cArgs >= 2) {
                    VARIANT& cancel = parameters->rgvarg[parameters->cArgs - 2];
                    bool cancelIt = owner_->onNewWindow ? owner_->onNewWindow() : false;
                    if (cancel.vt == (VT_BYREF | VT_BOOL)) *cancel.pboolVal = cancelIt ? VARIANT_TRUE : VARIANT_FALSE;
                }
                break;
            case BeforeNavigate2Id:
            default:
                break;
        }
        return S_OK;
    }

private:
    virtual ~BrowserSite() = default;
    LONG references_ = 1;
    BrowserControl* owner_;
};

BrowserControl::BrowserControl() { RegisterWindowClass(); }

BrowserControl::~BrowserControl() { ReleaseControl(); }

void BrowserControl::RegisterWindowClass() {
    WNDCLASSW existing;
    if (GetClassInfoW(ModuleInstance(), WebBrowserClassId, &existing)) return;
    WNDCLASSW windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = ModuleInstance();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = WebBrowserClassId;
    RegisterClassW(&windowClass);
}

bool BrowserControl::UseCurrentDocumentMode() {
    const std::wstring path = WideFromUtf8(ModulePath());
    const std::wstring fileName = path.substr(path.find_last_of(L"\\/") + 1);
    if (fileName.empty()) return false;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, BrowserEmulationKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const bool written = RegSetValueExW(key, fileName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&CurrentDocumentMode),
                                        sizeof CurrentDocumentMode) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

void BrowserControl::Attach(HWND hwnd) {
    ReleaseControl();
    SubclassedWindow::Attach(hwnd);
    CreateControl();
}

void BrowserControl::CreateControl() {
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(control_.Receive())))) {
        control_.Reset();
        return;
    }
    site_.Reset(new BrowserSite(this));
    control_->SetClientSite(site_.Get());
    RECT client = ClientRect();
    control_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, hwnd_, &client);
    dispatch_ = control_.Query<IDispatch>(IID_IDispatch);

    if (auto container = control_.Query<IConnectionPointContainer>(IID_IConnectionPointContainer)) {
        if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, events_.Receive())) &&
            FAILED(events_->Advise(static_cast<IDispatch*>(site_.Get()), &eventCookie_))) {
            events_.Reset();
        }
    }
}

void BrowserControl::ReleaseControl() {
    if (!control_) return;
    if (events_) events_->Unadvise(eventCookie_);
    events_.Reset();
    eventCookie_ = 0;
    dispatch_.Reset();
    control_->Close(OLECLOSE_NOSAVE);
    control_->SetClientSite(nullptr);
    control_.Reset();
    site_->Disconnect();
    site_.Reset();
}

bool BrowserControl::Invoke(long dispatchId, unsigned argumentCount, void* arguments) {
    if (!dispatch_) return false;
    DISPPARAMS parameters{static_cast<VARIANTARG*>(arguments), nullptr, argumentCount, 0};
    return SUCCEEDED(dispatch_->Invoke(dispatchId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr,
                                       nullptr, nullptr));
}

bool BrowserControl::Navigate(const std::string& address) {
    // Arguments go in reverse order: headers, post data, target frame, flags (all absent), address.
    VARIANT absent[4];
    VARIANTARG arguments[5];
    for (int i = 0; i < 4; ++i) {
        VariantInit(&absent[i]);
        absent[i].vt = VT_ERROR;
        absent[i].scode = DISP_E_PARAMNOTFOUND;
        VariantInit(&arguments[i]);
        arguments[i].vt = VT_BYREF | VT_VARIANT;
        arguments[i].pvarVal = &absent[i];
    }
    VariantInit(&arguments[4]);
    arguments[4].vt = VT_BSTR;
    arguments[4].bstrVal = SysAllocString(WideFromGbk(address).c_str());
    bool ok = Invoke(NavigateId, 5, arguments);
    SysFreeString(arguments[4].bstrVal);
    return ok;
}

bool BrowserControl::Refresh() { return Invoke(RefreshId, 0, nullptr); }

LRESULT BrowserControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE && control_) {
        if (auto inPlace = control_.Query<IOleInPlaceObject>(IID_IOleInPlaceObject)) {
            RECT client = ClientRect();
            inPlace->SetObjectRects(&client, &client);
        }
    } else if (message == WM_DESTROY) {
        ReleaseControl();
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace qivyun
