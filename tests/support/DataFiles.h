#pragma once
// Preparing and reading Kestro's data folder from a test, in the shared Wine prefix.
#include <windows.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kestro::test {

// "<roaming application data>\Tamsa Project\Kestro\" as the program computes it.
std::wstring TestDataDir();
// Removes the "Tamsa Project" folder tree, or a file of that name.
void RemoveDataFolders();
// An empty data folder, created; fails the test when the old one cannot be removed.
void ResetDataDir();

void WriteBytes(const std::wstring& path, const std::string& bytes);
std::optional<std::string> ReadBytes(const std::wstring& path);
void WriteDataFile(const std::wstring& name, const std::string& bytes);
std::optional<std::string> ReadDataFile(const std::wstring& name);

// A folder of its own for the test's files, empty, under the prefix's temporary folder.
std::wstring ScratchFolder(const std::wstring& name);

// UTF-16 text to the bytes of the ANSI code page, and the lines of a list file in it.
std::string AnsiBytes(const std::wstring& text);
std::string AnsiLines(std::initializer_list<std::wstring> lines);
std::string Utf8Bytes(const std::wstring& text);
// A list file as Kestro writes one it read without a mark: in the ANSI code page when every
// line survives it, else in UTF-8 with its mark.
std::string ListFileBytes(const std::vector<std::wstring>& lines);

// Whether `text` is a file error as the user reads it: `head`, which names the file, then the
// system's reason (some text), then `tail`.
testing::AssertionResult IsFileError(const std::wstring& text, const std::wstring& head, const std::wstring& tail);

}  // namespace kestro::test
