#pragma once

#include <string>
#include <string_view>

// The path of a file that lies beside the executable: everything of the
// executable's path from its last backslash on is replaced by a backslash
// and the file name. The executable's path is taken as the platform gives
// it in 256 characters (so at most 255), and the result is cut to 255.
std::u16string FileBesideExecutable(std::u16string_view executable_path, std::u16string_view file_name);

// The executable's folder with its trailing backslash.
std::u16string ExecutableFolder(std::u16string_view executable_path);
