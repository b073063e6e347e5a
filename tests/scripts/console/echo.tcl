# echo: the runtime's standard output, and the text as the result.
echo plain
echo "two words"
# -hex prints every byte as two hex digits.
echo abc -hex
echo "A z~" -hex
# Bytes above 127 print as two digits too.
echo ÿ€é -hex
# -var takes the text from a variable.
set greeting "hello there"
echo greeting -var
echo greeting -var -hex
# Other words are ignored; options are compared exactly.
echo word -HEX -other
# echo alone does nothing.
echo
# The result is the text.
echo result
