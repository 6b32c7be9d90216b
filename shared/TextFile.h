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
// The same split and decoding of bytes already read: what every reader of a stored file sees.
std::vector<std::wstring> DecodeTextLines(std::string_view bytes);
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
// True when path names an existing file (a directory does not count).
bool FileExists(const std::wstring& path);
// True when path names an existing directory.
bool DirectoryExists(const std::wstring& path);
// The folder part of a path (up to, not including, the last backslash or slash).
std::wstring ExtractFileDir(const std::wstring& path);
std::wstring ExtractFileName(const std::wstring& path);
// The extension with its dot ("" when none), from the last dot of the file name.
std::wstring ExtractFileExt(const std::wstring& path);
