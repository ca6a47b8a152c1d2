# Makes the pilots' guide one HTML page from its Markdown (GitHub's CommonMark,
# with its tables), for a browser: the picture beside it is linked relatively.
# cmake -DCMARK=<cmark-gfm> -DIN=<KalvoMFD.md> -DOUT=<KalvoMFD.html> -P guide-html.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${CMARK} --extension table --to html ${IN}
                OUTPUT_VARIABLE body ERROR_VARIABLE error RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${CMARK} could not read ${IN}:\n${error}")
endif()
file(WRITE ${OUT} "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<title>Kalvo MFD</title>
<style>
body { max-width: 52em; margin: 1em auto; padding: 0 1em; font-family: sans-serif; line-height: 1.45; }
table { border-collapse: collapse; }
th, td { border: 1px solid #999; padding: 0.2em 0.5em; text-align: left; }
pre { background: #f2f2f2; padding: 0.5em; overflow-x: auto; }
img { max-width: 100%; }
</style>
</head>
<body>
${body}</body>
</html>
")
