// The URLs the HTTP client accepts: "http://host[:port]/path". A "\" anywhere in the text counts
// as "/" (the programs build URLs from folder-like names). The path is sent as built, except for
// the bytes that cannot stand raw in a request line: blank, control bytes, "#" and every byte of
// 0x80 and above become %XX. So "U//bin//app.ex_" keeps its "//" runs, and a GBK name arrives
// at the server as the same bytes once it decodes %XX.
#pragma once

#include <string>
#include <string_view>

struct HttpUrl {
  std::string host;
  unsigned port = 80;
  std::string path;  // always starts with "/", pure ASCII
};

// False, with a readable reason, for anything but an http URL with a plain host name.
bool ParseHttpUrl(std::string_view url, HttpUrl& parsed, std::string& error);

std::string EncodeRequestPath(std::string_view path);
