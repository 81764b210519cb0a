#include "win32/task_dialog.h"

#include "win32/wide_text.h"

namespace win32 {

namespace {

// The manifest resource that names version 6 (the isolation-aware one, 3).
constexpr WORD kCommonControls6Manifest = 3;

// Version 6 of the common controls, from the program's own manifest
// resource, active for the life of this object.
class CommonControls6 {
 public:
  CommonControls6() {
    ACTCTXW request{};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.hModule = GetModuleHandleW(nullptr);
    request.lpResourceName = MAKEINTRESOURCEW(kCommonControls6Manifest);
    context_ = CreateActCtxW(&request);
    active_ = context_ != INVALID_HANDLE_VALUE && ActivateActCtx(context_, &cookie_);
  }
  ~CommonControls6() {
    if (active_) DeactivateActCtx(0, cookie_);
    if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
  }
  CommonControls6(const CommonControls6&) = delete;
  CommonControls6& operator=(const CommonControls6&) = delete;

 private:
  HANDLE context_ = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

class Library {
 public:
  explicit Library(const wchar_t* name) : module_(LoadLibraryW(name)) {}
  ~Library() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  FARPROC Find(const char* name) const { return module_ != nullptr ? GetProcAddress(module_, name) : nullptr; }

 private:
  HMODULE module_;
};

using TaskDialogIndirectFunction = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

constexpr int kFirstButton = 100;

}  // namespace

std::size_t AskWithButtons(HWND owner, std::u16string_view text, std::u16string_view caption,
                           const std::vector<std::u16string>& buttons) {
  const std::size_t fallback = buttons.empty() ? 0 : buttons.size() - 1;
  const std::wstring content = Wide(text), title = Wide(caption);
  {
    CommonControls6 version6;
    Library common_controls(L"comctl32.dll");
    // Looked up, not imported: version 5 of the common controls, which a
    // program without the manifest gets, has no task dialog.
    const auto task_dialog = reinterpret_cast<TaskDialogIndirectFunction>(
        reinterpret_cast<void*>(common_controls.Find("TaskDialogIndirect")));
    if (task_dialog != nullptr) {
      std::vector<std::wstring> captions;
      for (const auto& button : buttons) captions.push_back(Wide(button));
      std::vector<TASKDIALOG_BUTTON> choices;
      for (std::size_t i = 0; i < captions.size(); ++i) {
        choices.push_back({kFirstButton + static_cast<int>(i), captions[i].c_str()});
      }
      TASKDIALOGCONFIG config{};
      config.cbSize = sizeof(config);
      config.hwndParent = owner;
      config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION;
      config.pszWindowTitle = title.c_str();
      config.pszMainIcon = TD_WARNING_ICON;
      config.pszContent = content.c_str();
      config.cButtons = static_cast<UINT>(choices.size());
      config.pButtons = choices.data();
      config.nDefaultButton = kFirstButton + static_cast<int>(fallback);
      int pressed = 0;
      if (SUCCEEDED(task_dialog(&config, &pressed, nullptr, nullptr))) {
        const int index = pressed - kFirstButton;
        return index >= 0 && index < static_cast<int>(buttons.size()) ? static_cast<std::size_t>(index) : fallback;
      }
    }
  }
  const int answer = ::MessageBoxW(owner, content.c_str(), title.c_str(), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2);
  return answer == IDYES ? 0 : fallback;
}

}  // namespace win32
