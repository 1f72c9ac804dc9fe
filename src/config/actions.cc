#include "actions.h"

#include "bound_actions.h"

bound_actions& zlconf_bound_actions() {
    static bound_actions actions;
    return actions;
}

config_actions& zlconf_actions() {
    return zlconf_bound_actions();
}
