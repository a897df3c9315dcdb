# Joins the per-track music reports (REPORTS, a ;-list) into OUTPUT.
set(text "track key                tempo  bars  length  levels\n")
foreach(report ${REPORTS})
    file(READ ${report} line)
    string(APPEND text "${line}")
endforeach()
file(WRITE ${OUTPUT} "${text}")
