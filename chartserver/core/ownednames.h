#pragma once
// OwnedNames: the rules by which the component recognises the files it made.
// Session names and file names reach the component from pages, so it deletes
// only files named by its own unique-name rule: placeholders "PX<hex>.TMP",
// the image and map files drawn on a placeholder's base ("PX<hex>.JPG",
// "PX<hex>.MAP"), and session files "SES<hex>.TMP".
#include <filesystem>
#include <string_view>

namespace korva::pxserver {

// True when a path has a ".." part, in either separator ("/" or the "\" that
// pages written for the original host still use).
bool HasParentPart(std::string_view path);

// The final name of a path, after the last "/" or "\".
std::string_view FileNamePart(std::string_view path);

// A drawing's base name: the placeholder's file name cut before its first ".".
std::string_view BaseNamePart(std::string_view placeholder);

// "SES" + 1 to 4 hex digits + ".TMP", case-insensitive.
bool IsSessionFileName(std::string_view fileName);
// "PX" + 1 to 4 hex digits + "." + one of TMP, MAP, JPG, JPEG, PNG, BMP, GIF,
// TIF, TIFF, case-insensitive.
bool IsChartFileName(std::string_view fileName);

// A regular file that is not a symbolic link (checked without following it).
bool IsPlainFile(const std::filesystem::path& path);

// The component may delete path: a chart file name, no ".." part, a plain
// file. Session files are checked by SessionFile instead.
bool MayDeleteChartFile(std::string_view path);

} // namespace korva::pxserver
