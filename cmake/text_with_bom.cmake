# Writes a UTF-8 text file as Notepad and browsers on Windows take it at
# once: with a byte order mark and CR LF line ends.
#   cmake -DINPUT=... -DOUTPUT=... -P text_with_bom.cmake
file(READ ${INPUT} text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 byte_order_mark)
file(WRITE ${OUTPUT} "${byte_order_mark}${text}")
