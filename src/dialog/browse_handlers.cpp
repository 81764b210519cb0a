// The two browse buttons, and the button that starts the task viewer.
#include "dialog/halvorn2_dlg.h"
#include "platform/executable_folder.h"
#include "resource.h"

namespace {
using namespace std::string_view_literals;
constexpr std::u16string_view kProgramFilter = u"実行ファイル\0*.exe;*.bat\0全てのファイル\0*.*\0"sv;
}  // namespace

void CHalvorn2Dlg::OnBrowseRecorder() {
  UpdateData(true);
  OpenFileRequest request;
  request.filter = std::u16string(kProgramFilter);
  // The dialog always proposes the recorder's usual name.
  request.initial_name = u"cap_sts.exe";
  request.default_extension = u"exe";
  const auto chosen = services_.ChooseFileToOpen(request);
  if (!chosen) return;
  form.cap_sts_path = *chosen;
  StoreProfile();
  ComposeCommandLine();
}

void CHalvorn2Dlg::OnBrowseFolder() {
  UpdateData(true);
  const Services::FolderChoice choice = services_.ChooseFolder(u"フォルダを選択してください");
  if (!choice.shell_available) return;
  if (choice.folder) form.folder = *choice.folder;
  StoreProfile();
  ComposeCommandLine();
}

void CHalvorn2Dlg::OnTaskViewer() {
  // Quoted, with the empty window title "start" expects before a quoted
  // program: unquoted, a folder with a blank in it starts nothing.
  services_.RunCommand(u"start \"\" \"" + ExecutableFolder(services_.ExecutablePath()) + u"Brisquet.exe\"");
}
