# addslash, escape, unescape, urlencode, urldecode, base64, md5, mkn, cvn,
# wchar_length and wchar_to_string
option autoexec off
# puts shows backslashes as they are; the data file keeps them as written
option escape off
source data/escapes.tcl
option escape on
# urlencode keeps only unreserved bytes; urldecode takes + as a blank
puts [urlencode "a b&c=d/~-_.[chr 233]"]
puts [urldecode "a+b%26c%3dd%2F%e9x"]
# malformed escapes and %00 stay as written rather than cut the text
puts <[urldecode "%zz%4%00%"]><[urldecode ""]>
puts [== [urldecode [urlencode "x y+z%"]] "x y+z%"]
# base64 pads, round-trips, skips blanks and line ends, may omit padding
puts "[base64 ""]|[base64 a]|[base64 ab]|[base64 abc]|[base64 {Hello, world} -ENCODE]"
puts "[base64 YQ== -decode]|[base64 YWI -decode]|[base64 {SGVs bG8s\nIHdv cmxk} -decode]|[base64 {} -decode]"
puts [== [base64 [base64 [makestr 100 xyz]] -decode] [makestr 100 xyz]]
puts [catch {base64 Y -decode} m]$m
puts [catch {base64 Y=== -decode} m]$m
puts [catch {base64 YQ==YQ== -decode} m]$m
puts [catch {base64 a*b= -decode} m]$m
# a decoded zero byte is refused instead of cutting the text short
puts [catch {base64 YQBi -decode} m]$m
puts [catch {base64 a -x} m]$m
# md5 of known texts (RFC 1321), directly and through -var
set v abc
puts "[md5 ""] [md5 abc] [md5 v -var]"
puts [md5 "The quick brown fox jumps over the lazy dog"]
# mkn packs lowest byte first; cvn reads it back, signed unless -unsigned
puts "[mkn 258 short] [mkn -1] [mkn 255 char] [mkn -128 BYTE] [mkn 1 wide] [mkn 0x7fffffffffffffff int64]"
puts "[mkn 1.5 double] [mkn 1.5 float] [mkn 3 double]"
puts "[cvn 0201 short] [cvn FFFF short] [cvn ffff short -unsigned] [cvn FFFFFFFF] [cvn FFFFFFFF int -unsigned]"
puts "[cvn [mkn 0.1 double] double] [cvn [mkn 0.1 float] float] [cvn [mkn -2.5e-300 double] double] [cvn FFFFFFFFFFFFFFFF wide -unsigned]"
puts [catch {mkn 65536 short} m]$m
puts [catch {mkn -129 char} m]$m
puts [catch {mkn 1.5} m]$m
puts [catch {mkn abc double} m]$m
puts [catch {mkn 1 quad} m]$m
puts [catch {mkn -1e39 float} m]$m
puts [catch {cvn 01 short} m]$m
puts [catch {cvn 0G00 short} m]$m
puts [catch {cvn 0100 short -x} m]$m
# wchar_length reads UTF-8; beyond U+FFFF counts two; a stray byte one
puts "[wchar_length hello] [wchar_length [wchar_to_string 0xe9 0x20ac]] [wchar_length [wchar_to_string 0xD83D 0xDE00]] [wchar_length [chr 255 0xC3]] [wchar_length {}]"
# wchar_to_string writes UTF-8; a pair makes one character; 0 ends the text
puts [wchar_to_string 72 0xe9 0xD83D 0xDE00 0 65]
puts [string length [wchar_to_string 0x20ac]]
puts [catch {wchar_to_string 0xD800} m]$m
puts [catch {wchar_to_string 0xDC00 0xDC00} m]$m
puts [catch {wchar_to_string 0x10000} m]$m
puts [catch {wchar_to_string -1} m]$m
puts [catch {wchar_to_string x} m]$m
