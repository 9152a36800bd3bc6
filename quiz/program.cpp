// The trainer's executable: the toolkit owns the process entry and calls the quiz.
#include "aotoolkit.h"
#include "quiz.h"

int main(int argc, char** argv)
{
    return aoentry(argc, argv, quiz_main);
}
