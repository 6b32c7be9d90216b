#pragma once
// The one pair of helpers for the family's text files (qv30cfg, svd25cfg, qvccfg, path files,
// .qvml): code page 936 (GBK), lines ended by CR LF.
#include <string>
#include <string_view>
#include <vector>

// The file's lines, decoded from CP936. CR LF or LF both end a line; a last line without an end
// is a line; an empty file has no lines. No limit on line length.
// Raises EInOutError when the file cannot be opened or read.
std::vector<std::wstring> ReadTextLines(const std::wstring& path);
// Which bytes end a line: CR LF or LF (the settings and path files), or a lone CR as well (the
// playlist). Lines are split on the bytes before they are decoded, so a GBK lead byte standing
// before a line end never takes the end into a character.
enum class TLineEnds { CrLfOrLf, CrLfOrLfOrCr };
// The same split and decoding of bytes already read: what every reader of a stored file sees.
std::vector<std::wstring> DecodeTextLines(std::string_view bytes, TLineEnds ends = TLineEnds::CrLfOrLf);
// The bytes of a file read whole, at most maxBytes of them; what names a device, a pipe or a
// folder is never opened. Raises EInOutError when the file cannot be opened or read, and with
// "'<path>' is not <kind>" or "'<path>' is too large for <kind>" (kind e.g. "a playlist").
std::string ReadBoundedFile(const std::wstring& path, unsigned long long maxBytes, const std::wstring& kind);
// Writes each line encoded in CP936 followed by CR LF: into a temporary file beside the target,
// which then replaces the target. Raises EInOutError on any failure (the target stays as it was).
// After a successful save the temporary files that killed saves left beside the target
// ("<name>.tmp<pid>" that no process holds open) are removed.
void WriteTextLines(const std::wstring& path, const std::vector<std::wstring>& lines);
// The writer under WriteTextLines, for any bytes: a temporary file beside the target, then renamed
// to it, so a write that fails (a full disk) never leaves a file cut short. With replace false an
// existing target is kept and the write fails. Raises EInOutError on any failure.
void WriteFileBytes(const std::wstring& path, std::string_view bytes, bool replace = true);
// A text as a file line holds it once written and read back: characters CP936 cannot hold come
// back as the code page's replacement.
std::wstring ThroughTextFile(const std::wstring& text);
// Whether a file line keeps text as it is (every character has a CP936 form).
bool TextFileHolds(const std::wstring& text);
// A file or folder name as a file line can keep it and still name the same file: the name itself
// when CP936 holds it, else the system's short (8.3) form of an existing path when CP936 holds
// that; empty when there is neither (the name would come back naming another file).
std::wstring StorableName(const std::wstring& name);
// The names a save stores: each name as StorableName gives it; one that has no such form is
// noted, and the caller keeps the old value in its place.
class NameKeeper {
 public:
  // The form to write for name, or old when name cannot be kept (an empty name is kept as it is).
  std::wstring Keep(const std::wstring& name, const std::wstring& old);
  // Whether name can be kept; false notes it.
  bool CanKeep(const std::wstring& name, std::wstring& stored);
  const std::vector<std::wstring>& Lost() const { return lost_; }

 private:
  std::vector<std::wstring> lost_;
};
// The notices' first lines: a setting kept its old value; a playlist left lines out.
inline constexpr const wchar_t* kLostSettingNames =
    L"以下文件名含有配置文件不能保存的字符，无法保存该文件名，仍保留原来的设置：";
inline constexpr const wchar_t* kLostPlaylistNames =
    L"以下文件名含有播放列表不能保存的字符，无法保存该文件名，这些歌曲没有存入播放列表：";
// The one notice of a save that could not keep names: intro, then each name on its own line.
std::wstring LostNamesText(const std::wstring& intro, const std::vector<std::wstring>& names);
// True when path names an existing file (a directory does not count).
bool FileExists(const std::wstring& path);
// True when path names an existing regular file on a disk: no folder, no device (a device name
// such as "COM1" or "nul.txt" in any folder, anything under "\\.\"), no pipe. Opening the path
// for no access is the only probe, so a serial port or a printer is never read or waited for.
bool RegularFileExists(const std::wstring& path);
// True when the last part of a path is a DOS device name ("CON", "com1.mp3", "LPT9:", ...).
bool NamesDevice(const std::wstring& path);
// True when a path names a device: a device name, or a path in the device name space ("\\.\pipe\x").
bool InDeviceSpace(const std::wstring& path);
// True when path names an existing directory.
bool DirectoryExists(const std::wstring& path);
// The folder part of a path (up to, not including, the last backslash or slash).
std::wstring ExtractFileDir(const std::wstring& path);
std::wstring ExtractFileName(const std::wstring& path);
// The extension with its dot ("" when none), from the last dot of the file name.
std::wstring ExtractFileExt(const std::wstring& path);
