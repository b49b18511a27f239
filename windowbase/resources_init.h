#pragma once
// Makes the pictures held with the program available under ":/".
void InitialiseResources();
