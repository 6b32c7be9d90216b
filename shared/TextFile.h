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
// ("<name>.tmp<pid>" of processes no longer running) are removed.
void WriteTextLines(const std::wstring& path, const std::vector<std::wstring>& lines);
// The writer under WriteTextLines, for any bytes: a temporary file beside the target, then renamed
// to it, so a write that fails (a full disk) never leaves a file cut short. With replace false an
// existing target is kept and the write fails. Raises EInOutError on any failure.
void WriteFileBytes(const std::wstring& path, std::string_view bytes, bool replace = true);
// A text as a file line holds it once written and read back: characters CP936 cannot hold come
// back as the code page's replacement.
std::wstring ThroughTextFile(const std::wstring& text);
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
