# A fresh copy of the build's application folder, without the preferences
# an earlier run saved: cmake -DFROM=... -DTO=... -P fresh_app_folder.cmake
file(REMOVE_RECURSE "${TO}")
file(COPY "${FROM}/" DESTINATION "${TO}")
file(REMOVE "${TO}/Prefs/Orvelk.ini")
