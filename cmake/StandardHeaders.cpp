// The one file compiled with the standard headers' precompiled header; the libraries reuse it.
