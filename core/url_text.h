// Request URLs for the update server.
//
// A manifest name "bin/app.ex_" is requested as U//bin//app.ex_ for the server URL U: every
// "/" of the name doubled and "//" between U and the name. The manifest itself is requested
// as U/updates.ini. Servers are set up for exactly these forms, so the runs of "/" are sent as
// they are built. A "\" in any part counts as "/" (never the trail byte of a double-byte
// character).
#pragma once

#include <string>
#include <string_view>

namespace url_text {

// The manifest's URL: serverUrl, a separator and the manifest name. serverUrl is used as
// given (the server test passes it untrimmed).
std::string ManifestUrl(std::string_view serverUrl, std::string_view manifestName);

// A listed file's URL, for the transfer and the size probe alike.
std::string FileUrl(std::string_view serverUrl, std::string_view name);

// These URLs keep their bytes as written (GBK names included): they are what is handed to the
// HTTP client, which makes the request line from them by RequestUrl's rule. Encoding first
// and handing over the result is wrong: a double-byte character whose trail byte is "\"
// would lose its lead byte to %XX and the lone "\" would then be taken for a "/".

// A URL as its request line carries it: every "\" (never a trail byte) becomes "/", then
// blanks, control bytes, "#" and bytes of 0x80 and above are written as %XX (upper-case hex),
// which the server decodes back to the same bytes. Everything else, "%" included, is sent as
// it is.
std::string RequestUrl(std::string_view url);
// The encoding step alone: blanks, control bytes, "#" and bytes of 0x80 and above as %XX.
std::string PercentEncode(std::string_view text);

}  // namespace url_text
