// MARDOVI VEXO: the emergency response guidebook on screen and on paper.
#include "app/Application.h"
#include "app/General.h"

int main(int argc, char** argv)
{
    vexo::Application app(argc, argv);
    return vexo::Main();
}
