# Run by the web build: the page (PAGE) with the rows of the table of controls (ROWS) and the
# version (VERSION) written in, into OUT.
file(READ ${PAGE} page)
file(READ ${ROWS} rows)
string(REPLACE "@CONTROLS@" "${rows}" page "${page}")
string(REPLACE "@PROJECT_VERSION@" "${VERSION}" page "${page}")
file(WRITE ${OUT} "${page}")
