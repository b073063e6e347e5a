# read with the escape option off, so the preprocessor leaves the escapes too
puts {a\tb|\q}
